// The reading options and symbol tables as Quillmoor2.ini keeps them: the
// options in "EditUICheckBoxs" (read at start, written at exit), the tables in
// "YomiConvChar" (written by the options dialog after its checks).
#pragma once

#include <string>

#include "common/platform/ini.h"
#include "common/text/normalize_options.h"

namespace qm::text {

struct ReadingOptions {
  int kanaMode = kToHiragana;     // YomiCnvMode
  bool unvoiced = false;          // DakuonToSeion
  int spaceRule = kRemoveSpaces;  // YomiSpcRmv: 1 removes all, 0 makes full-width half-width
  bool removeSymbols = true;      // YomiMrkRmv
  bool romanNumerals = true;      // YomiRmaCnv
  bool userMap = false;           // never stored: off at every start
};

// The converter's options for a reading ("may be empty" off).
NormalizeOptions readingNormalizeOptions(const ReadingOptions& options);

ReadingOptions loadReadingOptions(const platform::IniFile& ini);
bool saveReadingOptions(const platform::IniFile& ini, const ReadingOptions& options);

// The longest values read, in bytes; longer ones are cut at a character start.
inline constexpr std::size_t kUserSourceLimit = 244;
inline constexpr std::size_t kUserTargetLimit = 122;
inline constexpr std::size_t kRemovalLimit = 244;

// A double quote in a half-width table is stored as "\q", since the INI
// reader strips quotes around a value.
SymbolTables loadSymbolTables(const platform::IniFile& ini);

enum class SymbolTablesError {
  None,
  UserMapWithoutTables,  // the user map is on and a user table is empty
  UserMapByteCounts,     // the user source is not twice the user target in bytes
  RemovalByteCount,      // the full-width removal list has an odd byte count
  WriteFailed,
};

// The options dialog's message for an error ("" for None).
std::string symbolTablesMessage(SymbolTablesError error);

SymbolTablesError checkSymbolTables(const SymbolTables& tables, bool userMap);
// Checks and writes as the dialog's OK does: the user tables are written once
// they pass, before the removal lists are checked.
SymbolTablesError saveSymbolTables(const platform::IniFile& ini, const SymbolTables& tables, bool userMap);

}  // namespace qm::text

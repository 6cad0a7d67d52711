// What the image-add dialog hands to a registration run: the user's choices
// turned into the worker's 51 options, 6 texts and CRC window; the sale-date
// check before a run; the "AddImgDir" settings the dialog keeps between
// openings. All portable, so the dialog only moves values in and out.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/ini.h"

namespace qm::registration {

// The choices kept in "AddImgDir" of Quillmoor2.ini.
struct StoredChoices {
  bool searchSubfolders = false;  // SearchSubDir
  bool searchArchives = false;    // SearchArcImg
  std::string countries;          // CountryMarks, program text
  bool countryFromPath = true;    // CCheck1
  bool defaultCountry = true;     // CCheck2
  bool stripBrackets = true;      // CCheck3
  bool archiveSets = true;        // AutoArcGroup
  bool archiveSetTitles = true;   // AddTitleArc
  bool folderSets = false;        // AutoDirGroup
  bool crc32 = true;              // CalcCRC32
  bool crc16 = false;             // CalcCRC16
};

// Defaults for absent keys.
StoredChoices loadStoredChoices(const platform::IniFile& ini);
// Also deletes "Country" of "etcSetting", which older versions kept. False
// when a write failed.
bool saveStoredChoices(const platform::IniFile& ini, const StoredChoices& choices);

// Everything the dialog holds when the run starts.
struct AddImageChoices {
  StoredChoices stored;
  std::string path;      // program text
  std::string machine;
  std::string media;     // "" for "指定なし"
  std::string genre;     // "" for "指定なし"
  int titleMode = 0;     // list indices
  int makerMode = 0;
  int versionMode = 0;
  bool adult = false;
  std::string saleYear;  // as typed
  bool yearFromPath = false;
  std::string crcOffset = "0";  // the edits' texts (digits)
  std::string crcLength = "0";
  bool overwrite = false;
  bool keepFavourites = false;
};

inline constexpr int kOptionCount = 51;
inline constexpr int kTextCount = 6;
// Longest texts the worker takes, in bytes: the path, then the others.
inline constexpr std::size_t kPathTextBytes = 259;
inline constexpr std::size_t kOtherTextBytes = 255;

struct WorkerArguments {
  std::array<std::int32_t, kOptionCount> options{};
  std::array<std::string, kTextCount> texts;  // cut on character boundaries
  std::array<std::uint32_t, 2> crcWindow{};   // offset, length
};

WorkerArguments workerArguments(const AddImageChoices& choices);

// The edits take digits only; a value past 32 bits is the largest one.
std::uint32_t crcWindowValue(std::string_view digits);

// The question before a run.
std::string startQuestion(const std::string& machine, const std::string& path);
// The label under the machine list, from its search_ext.
std::string extensionLabel(const std::string& searchExtensions);

}  // namespace qm::registration

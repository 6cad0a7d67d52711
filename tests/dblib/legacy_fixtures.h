// Library databases as earlier program versions left them, built from the
// statements of those versions. Tables only ever gained columns at the end, so
// each old table is the current one cut short.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm::dblib::legacy {

// Schema versions with a distinct layout: 0, 3, 4, 6 and 7.
std::vector<std::string> schemaStatements(int version);

// Rows of every kind the upgrades must keep or clean: singles, two sets with
// gaps in their disk numbers, a bare-year release date, a title and a key with a
// quote, Japanese text, side rows in every side table of that version, orphaned
// side rows and empty ones.
std::vector<std::string> rowStatements(int version);

// Schema, rows and the version row (none when `versionRow` is empty).
void build(const std::string& dbPath, int version, std::optional<int> versionRow);

// Keys of the fixture rows, UTF-8.
inline constexpr const char* kAlpha = "C:\\roms\\alpha.nes";
inline constexpr const char* kHero = "C:\\roms\\hero's.nes";
inline constexpr const char* kJapanese = "C:\\roms\\ゲーム表.nes";
inline constexpr const char* kSaga = "C:\\disks\\saga1.d88";
inline constexpr const char* kQuest = "C:\\disks\\quest1.d88";
inline constexpr const char* kGone = "C:\\roms\\gone.nes";  // side rows only

// SQL text literal of a UTF-8 value.
std::string literal(const std::string& value);

}  // namespace qm::dblib::legacy

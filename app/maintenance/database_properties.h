// The figures of the database properties dialog and its optimisation.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::maintenance {

struct DatabaseFigures {
  // Digit-grouped counts; nothing where the count failed, so that the field
  // keeps what it showed.
  std::optional<std::string> titles;  // singles and parents of sets
  std::optional<std::string> images;  // every row, children included
  std::optional<std::string> makers;
  std::string fileSize;  // "1,048,576 byte", or "DBが作成されていません"
  std::string path;
  std::string sqliteVersion;
};

// A missing database file is not created by looking at it.
DatabaseFigures readDatabaseFigures(const std::string& dbPath);

// "1234567" -> "1,234,567"; a leading "-" or "▲" stays in front.
std::string groupDigits(std::string_view decimal);

// VACUUM on a connection of its own; SQLite's error text on failure.
std::optional<std::string> vacuumDatabase(const std::string& dbPath);
// The failure box: its text and caption ("DBエラー", error icon).
std::string vacuumFailureMessage(const std::string& error);
const std::string& vacuumFailureCaption();

}  // namespace qm::maintenance

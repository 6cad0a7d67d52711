// What the library last saw of each image file: its size and modification
// time, kept in a table of its own beside the library's so that a folder can
// later be compared with it without reading a byte of the files. The table is
// made when a registration or a sync first needs it; nothing else requires it,
// so a library without it works as before. For an archive member the size is
// the member's and the time the archive's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qm::db {
class DbConnection;
}

namespace qm::reg {

struct SeenStamp {
  std::int64_t size = 0;
  std::int64_t modified = 0;
  bool operator==(const SeenStamp&) const = default;
};

struct SeenRow {
  std::string key;  // program text
  SeenStamp stamp;
};

// Keys are program text.
using SeenStamps = std::unordered_map<std::string, SeenStamp>;

// "CREATE TABLE IF NOT EXISTS ...": SQLite's error text when it fails.
std::optional<std::string> ensureSeenTable(db::DbConnection& db);
// Rows written over what was there, inside the caller's transaction.
std::optional<std::string> writeSeen(db::DbConnection& db, const std::vector<SeenRow>& rows);
// Every row; a library without the table has none.
std::optional<std::string> loadSeen(db::DbConnection& db, SeenStamps& stamps);
// Rows whose image is no longer in main_table.
std::optional<std::string> forgetUnlisted(db::DbConnection& db);

}  // namespace qm::reg

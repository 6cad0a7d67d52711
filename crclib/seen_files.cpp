#include "crclib/seen_files.h"

#include "common/db/db_connection.h"
#include "common/db/prepared_statement.h"

namespace qm::reg {

std::optional<std::string> ensureSeenTable(db::DbConnection& db) {
  return db.execute(
      "CREATE TABLE IF NOT EXISTS seen_file_table(pfile_sn TEXT PRIMARY KEY, size INTEGER NOT NULL, "
      "mtime INTEGER NOT NULL);");
}

std::optional<std::string> writeSeen(db::DbConnection& db, const std::vector<SeenRow>& rows) {
  if (rows.empty()) return std::nullopt;
  db::PreparedStatement write;
  if (auto error = write.prepare(db, "INSERT OR REPLACE INTO seen_file_table(pfile_sn, size, mtime) VALUES(?, ?, ?);"))
    return error;
  for (const SeenRow& row : rows) {
    write.bindText(1, row.key);
    write.bindInteger(2, row.stamp.size);
    write.bindInteger(3, row.stamp.modified);
    if (auto error = write.run()) return error;
  }
  return std::nullopt;
}

std::optional<std::string> loadSeen(db::DbConnection& db, SeenStamps& stamps) {
  if (auto error = db.execute("SELECT 1 FROM sqlite_master WHERE type='table' AND name='seen_file_table';"))
    return error;
  if (db.rowCount() == 0) return std::nullopt;
  return db.readRowsUtf8("SELECT pfile_sn, size, mtime FROM seen_file_table;", [&](const db::RowValues& row) {
    stamps[db::DbConnection::fromUtf8(row.utf8(0))] = {row.integer(1), row.integer(2)};
    return true;
  });
}

std::optional<std::string> forgetUnlisted(db::DbConnection& db) {
  return db.execute(
      "DELETE FROM seen_file_table WHERE pfile_sn NOT IN (SELECT file_name FROM main_table);");
}

}  // namespace qm::reg

#include "common/db/max_disk.h"

#include "common/db/db_connection.h"
#include "common/db/write_transaction.h"

namespace qm::db {

std::optional<std::string> rebuildMaxDisk(DbConnection& db) {
  return inWriteTransaction(db, [&] {
    auto error = db.execute("DELETE FROM tmp_maxdisk;");
    if (!error)
      error = db.execute(
          "INSERT INTO tmp_maxdisk  SELECT ply_file_name, max(ply) FROM main_table WHERE ply>1 GROUP BY ply_file_name;");
    return error;
  });
}

std::optional<std::string> rebuildMaxDisk(const std::string& dbPath) {
  DbConnection db;
  db.open(dbPath);
  return rebuildMaxDisk(db);
}

}  // namespace qm::db

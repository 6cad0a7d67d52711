// tmp_maxdisk is derived from main_table: one row per set parent with the
// highest disk number among its children. Whoever changes sets rebuilds it.
#pragma once

#include <optional>
#include <string>

namespace qm::db {

class DbConnection;

// Rebuilds the table in one transaction on `db`; nothing on success, else the
// error text (the old rows are then kept).
std::optional<std::string> rebuildMaxDisk(DbConnection& db);
// The same on a connection of its own.
std::optional<std::string> rebuildMaxDisk(const std::string& dbPath);

}  // namespace qm::db

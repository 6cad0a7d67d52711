// The statements that make a version-8 library database, and the master rows
// of a new one. Other tools read the statements back from sqlite_master, so
// they are kept byte for byte.
#pragma once

#include <string>
#include <vector>

namespace qm::dblib {

inline constexpr int kSchemaVersion = 8;
inline constexpr int kLibraryVersion = 100008;

// One statement of the creation, with what its failure message names.
struct CreationStatement {
  std::string sql;
  std::string object;    // table, index or trigger name
  std::string sentence;  // UTF-8; empty for triggers
};

// Creation statements 1 to 21 in their order.
const std::vector<CreationStatement>& creationStatements();

// "CREATE TABLE main_table( ... );" with the first `columnCount` columns; the
// full table has 29. Older databases had fewer (the tests build them so).
std::string mainTableStatement(int columnCount);
int mainTableColumnCount();

// delete_subtable_main with its first `deletions` deletions (5, 7 or 8).
std::string deleteSubtableTrigger(int deletions);
std::string updateSpecAdultexTrigger();
const std::string& tmpMaxdiskStatement();

// The eight side tables with their key columns, in the order the key-rename
// trigger carries a new file_name into them.
struct SideTableKey {
  const char* table;
  const char* key;
};
const std::vector<SideTableKey>& sideTableKeys();
// update_main_pkey: a file_name changed in main_table is changed in every side
// table. The column-value replacement (re)creates it.
std::string updateMainPkeyTrigger();
const std::string& useEmusetStatement();

// Seed rows of a new database in program text (Shift-JIS), with the icon
// paths under `programFolder` quoted for SQL. Media, genres, machines,
// age-rating marks, in this order.
std::vector<std::string> masterRowStatements(const std::string& programFolder);
std::vector<std::string> adultexRowStatements(const std::string& programFolder);

}  // namespace qm::dblib

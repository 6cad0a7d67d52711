// Reading a database back in tests: its schema in a comparable form and the
// rows of a query. Both open a connection of their own for each call.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace qm::test {

// The schema as SQLite describes it, independent of the statement texts: two
// databases made by different routes (CREATE TABLE against ALTER TABLE ... ADD
// COLUMN) compare equal when their tables, columns, indexes and triggers agree.
struct SchemaDump {
  // table -> PRAGMA table_info rows "cid|name|type|notnull|dflt_value|pk"
  std::map<std::string, std::vector<std::string>> columns;
  // table -> one line per index: "name|unique|origin|partial|col,col", by name
  std::map<std::string, std::vector<std::string>> indexes;
  std::map<std::string, std::string> triggers;  // name -> stored SQL
  std::vector<std::string> views;

  bool operator==(const SchemaDump&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SchemaDump& dump);

// Every value UTF-8, as stored.
SchemaDump dumpSchema(const std::string& dbPath);

// The rows of a query written in UTF-8; each row its cells joined by "|", as
// UTF-8 (NULL reads as empty). A failing query gives one row "ERROR: ...".
std::vector<std::string> queryRows(const std::string& dbPath, const std::string& sqlUtf8);
// The first cell of the first row, or "" when there is none.
std::string queryValue(const std::string& dbPath, const std::string& sqlUtf8);
// Runs statements written in UTF-8; false (with a test failure) when one fails.
bool executeAll(const std::string& dbPath, const std::vector<std::string>& statementsUtf8);

}  // namespace qm::test

#include "tests/support/schema_dump.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/db/db_connection.h"
#include "common/text/encoding.h"

namespace qm::test {
namespace {

using db::DbConnection;

std::string joinedRow(DbConnection& db, int row) {
  std::string line;
  for (int c = 0; c < db.columnCount(); ++c) {
    if (c > 0) line += '|';
    line += db.cellUtf8(row, c);
  }
  return line;
}

std::vector<std::string> rowsOf(DbConnection& db, const std::string& sqlUtf8) {
  if (auto error = db.execute(text::sjis(sqlUtf8))) return {"ERROR: " + text::sjisToUtf8(*error)};
  std::vector<std::string> rows;
  for (int row = 1; row <= db.rowCount(); ++row) rows.push_back(joinedRow(db, row));
  return rows;
}

std::vector<std::string> firstColumn(DbConnection& db, const std::string& sqlUtf8) {
  std::vector<std::string> values;
  if (db.execute(text::sjis(sqlUtf8))) return values;
  for (int row = 1; row <= db.rowCount(); ++row) values.emplace_back(db.cellUtf8(row, 0));
  return values;
}

std::string indexLine(DbConnection& db, const std::string& index, const std::string& listRow) {
  std::string line = listRow + "|";
  auto columns = firstColumn(db, "SELECT name FROM pragma_index_info('" + index + "') ORDER BY seqno;");
  for (std::size_t i = 0; i < columns.size(); ++i) line += (i ? "," : "") + columns[i];
  return line;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const SchemaDump& dump) {
  for (const auto& [table, columns] : dump.columns) {
    out << "\ntable " << table << ":";
    for (const auto& column : columns) out << "\n  " << column;
    auto indexes = dump.indexes.find(table);
    if (indexes != dump.indexes.end())
      for (const auto& index : indexes->second) out << "\n  index " << index;
  }
  for (const auto& [name, sql] : dump.triggers) out << "\ntrigger " << name << ": " << sql;
  for (const auto& view : dump.views) out << "\nview " << view;
  return out;
}

SchemaDump dumpSchema(const std::string& dbPath) {
  DbConnection db;
  db.open(dbPath);
  SchemaDump dump;
  for (const auto& table : firstColumn(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name;")) {
    dump.columns[table] = rowsOf(db, "SELECT cid, name, type, \"notnull\", dflt_value, pk FROM pragma_table_info('" +
                                         table + "') ORDER BY cid;");
    std::vector<std::string> lines;
    for (const auto& row :
         rowsOf(db, "SELECT name, \"unique\", origin, partial FROM pragma_index_list('" + table + "') ORDER BY name;"))
      lines.push_back(indexLine(db, row.substr(0, row.find('|')), row));
    if (!lines.empty()) dump.indexes[table] = lines;
  }
  for (const auto& row : rowsOf(db, "SELECT name, sql FROM sqlite_master WHERE type='trigger' ORDER BY name;")) {
    auto bar = row.find('|');
    dump.triggers[row.substr(0, bar)] = row.substr(bar + 1);
  }
  dump.views = firstColumn(db, "SELECT name FROM sqlite_master WHERE type='view' ORDER BY name;");
  return dump;
}

std::vector<std::string> queryRows(const std::string& dbPath, const std::string& sqlUtf8) {
  DbConnection db;
  db.open(dbPath);
  return rowsOf(db, sqlUtf8);
}

std::string queryValue(const std::string& dbPath, const std::string& sqlUtf8) {
  DbConnection db;
  db.open(dbPath);
  auto values = firstColumn(db, sqlUtf8);
  return values.empty() ? std::string() : values.front();
}

bool executeAll(const std::string& dbPath, const std::vector<std::string>& statementsUtf8) {
  DbConnection db;
  db.open(dbPath);
  for (const auto& sql : statementsUtf8) {
    if (auto error = db.execute(text::sjis(sql))) {
      ADD_FAILURE() << "statement failed: " << sql << "\n" << text::sjisToUtf8(*error);
      return false;
    }
  }
  return true;
}

}  // namespace qm::test

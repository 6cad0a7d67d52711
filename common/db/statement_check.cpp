#include "common/db/statement_check.h"

#include <sqlite3.h>

#include <memory>

#include "common/db/regexp_functions.h"
#include "common/text/encoding.h"

namespace qm::db {
namespace {

struct StatementDeleter {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

struct Prepared {
  int rc;
  StatementPtr stmt;
  const char* tail;
};

Prepared prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  const char* tail = sql;
  int rc = sqlite3_prepare_v2(db, sql, -1, &raw, &tail);
  return {rc, StatementPtr(raw), tail};
}

// Only blanks, comments and ";" may follow the statement. SQLite prepares
// each of those as "no statement" and moves on.
bool onlyEmptyAfter(sqlite3* db, const char* tail) {
  while (*tail) {
    Prepared next = prepare(db, tail);
    if (next.rc != SQLITE_OK || next.stmt || next.tail == tail) return false;
    tail = next.tail;
  }
  return true;
}

}  // namespace

StatementChecker::~StatementChecker() { close(); }

bool StatementChecker::open(const std::string& dbPath) {
  close();
  const std::string utf8 = text::sjisToUtf8(dbPath);
  if (sqlite3_open_v2(utf8.c_str(), &handle_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    close();
    return false;
  }
  // Statements of the list may use REGEXP and REGEX; unknown functions would
  // not prepare.
  registerRegexpFunctions(handle_);
  return true;
}

void StatementChecker::close() {
  if (handle_) sqlite3_close_v2(handle_);
  handle_ = nullptr;
}

StatementCheck StatementChecker::check(std::string_view sql) const {
  if (!handle_) return {StatementVerdict::NotOpen, {}};
  const std::string utf8 = text::sjisToUtf8(sql);
  const char* start = utf8.c_str();
  Prepared first = prepare(handle_, start);
  // Blank text and comments prepare to no statement; skip to the first real one.
  while (first.rc == SQLITE_OK && !first.stmt && *first.tail && first.tail != start) {
    start = first.tail;
    first = prepare(handle_, start);
  }
  if (first.rc != SQLITE_OK) return {StatementVerdict::Invalid, text::utf8ToSjis(sqlite3_errmsg(handle_))};
  if (!first.stmt) return {StatementVerdict::Empty, {}};
  if (!onlyEmptyAfter(handle_, first.tail)) return {StatementVerdict::MoreText, {}};
  if (!sqlite3_stmt_readonly(first.stmt.get())) return {StatementVerdict::Writes, {}};
  if (sqlite3_column_count(first.stmt.get()) == 0) return {StatementVerdict::NoRows, {}};
  return {StatementVerdict::ReadOnlyQuery, {}};
}

}  // namespace qm::db

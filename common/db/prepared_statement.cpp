#include "common/db/prepared_statement.h"

#include <sqlite3.h>

#include "common/db/db_connection.h"

namespace qm::db {

void PreparedStatement::Finalizer::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

PreparedStatement::PreparedStatement() = default;
PreparedStatement::~PreparedStatement() = default;

std::optional<std::string> PreparedStatement::prepare(DbConnection& db, std::string_view sql) {
  stmt_.reset();
  db_ = &db;
  if (!db.handle_) return db.lastError_ ? db.lastError_ : std::optional<std::string>("the database is not open");
  const std::string utf8 = DbConnection::toUtf8(sql);
  sqlite3_stmt* raw = nullptr;
  lastCode_ = sqlite3_prepare_v2(db.handle_, utf8.c_str(), static_cast<int>(utf8.size()), &raw, nullptr);
  stmt_.reset(raw);
  if (lastCode_ != SQLITE_OK) return DbConnection::fromUtf8(db.errorText(lastCode_));
  if (!stmt_) return std::string("no statement to run");
  return std::nullopt;
}

void PreparedStatement::bindText(int index, std::string_view programText) {
  const std::string utf8 = DbConnection::toUtf8(programText);
  sqlite3_bind_text(stmt_.get(), index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void PreparedStatement::bindInteger(int index, std::int64_t value) {
  sqlite3_bind_int64(stmt_.get(), index, value);
}

std::optional<std::string> PreparedStatement::run() {
  changes_ = 0;
  if (!stmt_) return std::string("no statement to run");
  while ((lastCode_ = sqlite3_step(stmt_.get())) == SQLITE_ROW) {
  }
  sqlite3_reset(stmt_.get());
  if (lastCode_ != SQLITE_DONE) return DbConnection::fromUtf8(db_->errorText(lastCode_));
  lastCode_ = SQLITE_OK;
  changes_ = sqlite3_changes(db_->handle_);
  return std::nullopt;
}

}  // namespace qm::db

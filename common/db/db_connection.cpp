#include "common/db/db_connection.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

#include "common/db/regexp_functions.h"
#include "common/text/encoding.h"

namespace qm::db {
namespace {

struct StatementDeleter {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// The text sqlite3_get_table gives when two statements of one text return
// different numbers of columns; kept so callers see the familiar message.
constexpr const char* kIncompatibleQueries =
    "sqlite3_get_table() called with two or more incompatible queries";
constexpr const char* kMoreThanOne = "only one statement may be run; text follows it";

std::atomic<int> defaultBusyTimeoutMs{DbConnection::kBusyTimeoutMs};

}  // namespace

void ResultTable::clear() {
  columns_ = 0;
  text_.clear();
  offsets_.clear();
}

bool ResultTable::addValue(const unsigned char* utf8) {
  if (!utf8) {
    offsets_.push_back(kNull);
    return true;
  }
  std::size_t length = std::strlen(reinterpret_cast<const char*>(utf8));
  if (text_.size() + length + 1 >= kNull) return false;
  offsets_.push_back(static_cast<std::uint32_t>(text_.size()));
  text_.append(reinterpret_cast<const char*>(utf8), length);
  text_.push_back('\0');
  return true;
}

int ResultTable::rowCount() const {
  if (columns_ == 0) return 0;
  return static_cast<int>(offsets_.size() / static_cast<std::size_t>(columns_)) - 1;
}

bool ResultTable::inRange(int row, int column) const {
  return row >= 0 && row <= rowCount() && column >= 0 && column < columns_;
}

std::optional<std::string_view> ResultTable::value(int row, int column) const {
  if (!inRange(row, column)) return std::nullopt;
  std::uint32_t offset = offsets_[static_cast<std::size_t>(row) * columns_ + column];
  if (offset == kNull) return std::nullopt;
  return std::string_view(text_.c_str() + offset);
}

DbConnection::~DbConnection() { close(); }

void DbConnection::open(const std::string& path) {
  close();
  path_ = path;
  pathUtf8_ = toUtf8(path);
  // Without SQLite's own mutex: a connection, like its result table, is used
  // by one thread at a time, and the lock taken for every value read was 7%
  // of the list statement over 100,000 items.
  openResult_ = sqlite3_open_v2(pathUtf8_.c_str(), &handle_,
                                SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (openResult_ != SQLITE_OK) {
    // Keep the reason; every execute reports it.
    lastError_ = fromUtf8(handle_ ? sqlite3_errmsg(handle_) : sqlite3_errstr(openResult_));
    sqlite3_close(handle_);
    handle_ = nullptr;
    return;
  }
  setBusyTimeout(defaultBusyTimeoutMs.load());
  registerRegexpFunctions(handle_);
}

namespace {

// Blanks, comments and ";" only: preparing the rest gives no statement.
bool onlyBlankAfter(sqlite3* db, const char* tail) {
  while (*tail) {
    sqlite3_stmt* raw = nullptr;
    const char* next = tail;
    const int rc = sqlite3_prepare_v2(db, tail, -1, &raw, &next);
    StatementPtr stmt(raw);
    if (rc != SQLITE_OK || stmt || next == tail) return false;
    tail = next;
  }
  return true;
}

}  // namespace

std::optional<std::string> DbConnection::execute(std::string_view sql) { return run(sql, false); }

std::optional<std::string> DbConnection::executeOne(std::string_view sql) { return run(sql, true); }

std::optional<std::string> DbConnection::run(std::string_view sql, bool single) {
  result_.clear();
  outOfRange_ = false;
  auto fail = [this](int code, std::string message) {
    // The rows of the statements before the failing one are no answer.
    result_.clear();
    lastCode_ = code;
    lastError_ = fromUtf8(message);
    return lastError_;
  };
  if (!handle_) {
    if (openResult_ != SQLITE_OK && lastError_) return fail(openResult_, toUtf8(*lastError_));
    return fail(SQLITE_MISUSE, "the database is not open");
  }
  lastError_.reset();
  lastCode_ = SQLITE_OK;

  std::string utf8 = toUtf8(sql);
  const char* next = utf8.c_str();
  while (*next) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(handle_, next, -1, &raw, &next);
    StatementPtr stmt(raw);
    if (rc != SQLITE_OK) return fail(rc, errorText(rc));
    if (!stmt) continue;  // blank text or a comment
    if (single && !onlyBlankAfter(handle_, next)) return fail(SQLITE_ERROR, kMoreThanOne);
    const int columns = sqlite3_column_count(stmt.get());
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
      if (result_.columnCount() == 0) {
        result_.setColumns(columns);
        for (int c = 0; c < columns; ++c)
          result_.addValue(reinterpret_cast<const unsigned char*>(sqlite3_column_name(stmt.get(), c)));
      } else if (result_.columnCount() != columns) {
        return fail(SQLITE_ERROR, kIncompatibleQueries);
      }
      for (int c = 0; c < columns; ++c) {
        if (!result_.addValue(sqlite3_column_text(stmt.get(), c)))
          return fail(SQLITE_TOOBIG, "the result is too large");
      }
    }
    if (rc != SQLITE_DONE) return fail(rc, errorText(rc));
  }
  return std::nullopt;
}

int RowValues::columnCount() const { return sqlite3_column_count(stmt_); }
std::string_view RowValues::name(int column) const {
  const char* name = sqlite3_column_name(stmt_, column);
  return name ? std::string_view(name) : std::string_view();
}
ValueType RowValues::type(int column) const { return static_cast<ValueType>(sqlite3_column_type(stmt_, column)); }
std::int64_t RowValues::integer(int column) const { return sqlite3_column_int64(stmt_, column); }
double RowValues::real(int column) const { return sqlite3_column_double(stmt_, column); }
std::string_view RowValues::utf8(int column) const {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
  return bytes ? std::string_view(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
               : std::string_view();
}

std::optional<std::string> DbConnection::prepareUtf8(std::string_view utf8, sqlite3_stmt** stmt) {
  result_.clear();
  outOfRange_ = false;
  if (!handle_) {
    // The reason of a failed open stays in lastError_.
    lastCode_ = openResult_ != SQLITE_OK ? openResult_ : SQLITE_MISUSE;
    if (openResult_ == SQLITE_OK || !lastError_) lastError_ = "the database is not open";
    return lastError_;
  }
  lastError_.reset();
  lastCode_ = SQLITE_OK;
  const int rc = sqlite3_prepare_v2(handle_, utf8.data(), static_cast<int>(utf8.size()), stmt, nullptr);
  if (rc == SQLITE_OK && *stmt) return std::nullopt;
  lastCode_ = rc == SQLITE_OK ? SQLITE_MISUSE : rc;
  lastError_ = fromUtf8(rc == SQLITE_OK ? "no statement to run" : sqlite3_errmsg(handle_));
  return lastError_;
}

bool DbConnection::step(sqlite3_stmt* stmt) { return sqlite3_step(stmt) == SQLITE_ROW; }

std::optional<std::string> DbConnection::finish(sqlite3_stmt* stmt) {
  // sqlite3_finalize repeats the error of the last step, if any.
  const int rc = sqlite3_finalize(stmt);
  if (rc == SQLITE_OK) return std::nullopt;
  lastCode_ = rc;
  lastError_ = fromUtf8(errorText(rc));
  return lastError_;
}

void DbConnection::setDefaultBusyTimeout(int milliseconds) { defaultBusyTimeoutMs = milliseconds; }
int DbConnection::defaultBusyTimeout() { return defaultBusyTimeoutMs.load(); }

void DbConnection::setBusyTimeout(int milliseconds) {
  busyTimeoutMs_ = milliseconds;
  if (handle_) sqlite3_busy_timeout(handle_, milliseconds);
}

std::string DbConnection::errorText(int code) const {
  std::string text = handle_ ? sqlite3_errmsg(handle_) : sqlite3_errstr(code);
  if ((code & 0xff) != SQLITE_BUSY) return text;
  // UTF-8 here: the caller converts the whole text.
  return text + "\n他の処理がライブラリを使っています（" + std::to_string((busyTimeoutMs_ + 999) / 1000) +
         " 秒待ちましたが終わりませんでした）。";
}

std::int64_t DbConnection::totalChanges() const { return handle_ ? sqlite3_total_changes64(handle_) : 0; }

bool DbConnection::inTransaction() const { return handle_ && sqlite3_get_autocommit(handle_) == 0; }

std::string_view DbConnection::cellUtf8(int row, int column) {
  outOfRange_ = row < 1 || !result_.inRange(row, column);
  if (outOfRange_) return {};
  return result_.value(row, column).value_or(std::string_view{});
}

std::string DbConnection::cell(int row, int column) { return fromUtf8(cellUtf8(row, column)); }

std::string DbConnection::cellByName(int row, std::string_view columnName) {
  for (int c = 0; c < result_.columnCount(); ++c) {
    if (fromUtf8(result_.value(0, c).value_or("")) == columnName) return cell(row, c);
  }
  outOfRange_ = true;
  return {};
}

void DbConnection::close() {
  result_.clear();
  if (handle_) {
    // sqlite3_close_v2 defers the close if a statement were still open; none is.
    sqlite3_close_v2(handle_);
    handle_ = nullptr;
  }
}

std::string DbConnection::quoteSql(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  for (char c : text) {
    quoted.push_back(c);
    if (c == '\'') quoted.push_back('\'');
  }
  return quoted;
}

std::string sqlText(std::string_view value) {
  std::string literal;
  literal.reserve(value.size() + 2);
  literal.push_back('\'');
  literal += DbConnection::quoteSql(value);
  literal.push_back('\'');
  return literal;
}

std::string DbConnection::toUtf8(std::string_view sjis) { return text::sjisToUtf8(sjis); }
std::string DbConnection::fromUtf8(std::string_view utf8) { return text::utf8ToSjis(utf8); }

}  // namespace qm::db

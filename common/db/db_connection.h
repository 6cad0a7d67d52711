// The one connection class of all three deliverables.
//
// A statement's complete result is fetched into memory and read cell by cell.
// Program text is Shift-JIS; the database stores UTF-8: statements are
// converted on the way in and cells on the way out. Every connection has the
// REGEXP operator and the REGEX function (PCRE2) built in and a busy timeout,
// so a statement waits for another writer's lock (another process, or the
// registration worker) for a bounded time instead of failing at once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace qm::db {

// Whole result of the last statement: row 0 is the header row of column names,
// rows 1..rowCount the data. Values are kept as zero-terminated UTF-8 in one
// block, as SQLite's table interface returns them, without one allocation per
// value: a library of 100,000 images is one result of five million values.
class ResultTable {
public:
  void clear();
  void setColumns(int count) { columns_ = count; }
  // False when the block would pass 4 GiB.
  bool addValue(const unsigned char* utf8);  // nullptr for SQL NULL
  int columnCount() const { return columns_; }
  int rowCount() const;  // data rows, header not counted
  // Row 0 is the header. Nothing for NULL or out of range.
  std::optional<std::string_view> value(int row, int column) const;
  bool inRange(int row, int column) const;

private:
  static constexpr std::uint32_t kNull = UINT32_MAX;
  int columns_ = 0;
  std::string text_;
  std::vector<std::uint32_t> offsets_;
};

enum class ValueType { Integer = 1, Real = 2, Text = 3, Blob = 4, Null = 5 };  // SQLite's codes

// One row of a statement being stepped; valid during the reader's call only.
class RowValues {
public:
  explicit RowValues(sqlite3_stmt* stmt) : stmt_(stmt) {}
  int columnCount() const;
  std::string_view name(int column) const;  // the result column's name, UTF-8
  ValueType type(int column) const;
  std::int64_t integer(int column) const;
  double real(int column) const;
  std::string_view utf8(int column) const;  // text (or blob) bytes; "" for NULL

private:
  sqlite3_stmt* stmt_;
};

class DbConnection {
public:
  DbConnection() = default;
  ~DbConnection();
  DbConnection(const DbConnection&) = delete;
  DbConnection& operator=(const DbConnection&) = delete;

  // Opens (and creates when missing) the database at `path`. Never reports
  // failure itself: a connection that could not be opened makes every later
  // execute fail with SQLite's reason.
  void open(const std::string& path);
  bool isOpen() const { return handle_ != nullptr; }
  // The path given to open(), for another connection to the same file.
  const std::string& path() const { return path_; }
  int openResult() const { return openResult_; }

  // Runs one statement text, which may hold several statements separated by
  // ";", in order; the first failure stops the rest. Nothing on success, else
  // SQLite's error text (as lastError gives it). The result table is replaced
  // either way: it holds the rows of every statement that returned rows.
  std::optional<std::string> execute(std::string_view sql);
  // As execute, for exactly one statement: when anything but blanks, comments
  // and ";" follows it, nothing runs and the text is refused.
  std::optional<std::string> executeOne(std::string_view sql);

  int rowCount() const { return result_.rowCount(); }
  int columnCount() const { return result_.columnCount(); }
  // Data row `row` (1..rowCount), column `column` (0-based), as Shift-JIS.
  // NULL reads as "". Out of range gives "" and sets outOfRange().
  std::string cell(int row, int column);
  // As cell, the column found by its header name (first from the left, exact).
  std::string cellByName(int row, std::string_view columnName);
  // The raw UTF-8 value, for readers that convert later or not at all.
  std::string_view cellUtf8(int row, int column);
  bool outOfRange() const { return outOfRange_; }

  // Steps one statement (UTF-8 text) and hands each row to `reader`, keeping
  // no result table and converting nothing, for readers that need SQLite's
  // own types; `reader` returns false to stop early. Nothing on success, else
  // SQLite's error text as lastError gives it.
  template <typename Reader>
  std::optional<std::string> readRowsUtf8(std::string_view utf8, Reader&& reader) {
    sqlite3_stmt* stmt = nullptr;
    if (auto error = prepareUtf8(utf8, &stmt)) return error;
    while (step(stmt) && reader(RowValues(stmt))) {
    }
    return finish(stmt);
  }
  // Rows changed through this connection since it was opened.
  std::int64_t totalChanges() const;
  // True between a BEGIN and its end; false again once a failed statement
  // (a trigger's RAISE(ROLLBACK), say) rolled the transaction back.
  bool inTransaction() const;

  // SQLite's error text of the last execute (UTF-8 converted to Shift-JIS),
  // or nothing when it succeeded.
  const std::optional<std::string>& lastError() const { return lastError_; }
  // SQLite's primary result code of the last execute (0 on success).
  int lastResultCode() const { return lastCode_; }

  void close();

  static std::string quoteSql(std::string_view text);
  static std::string toUtf8(std::string_view sjis);
  static std::string fromUtf8(std::string_view utf8);

  // How long a statement waits for another connection's lock: long enough for
  // another process's registration batch or record save to end.
  static constexpr int kBusyTimeoutMs = 30000;
  // The wait of connections opened from now on, in this process (the tools and
  // tests shorten it); kBusyTimeoutMs until set.
  static void setDefaultBusyTimeout(int milliseconds);
  static int defaultBusyTimeout();

  // How long a statement of this connection waits for another's lock.
  void setBusyTimeout(int milliseconds);

private:
  friend class PreparedStatement;
  friend class WriteTransaction;
  // SQLite's error text of the connection (UTF-8); a lock that could not be
  // had within the wait also says so in our words.
  std::string errorText(int code) const;
  std::optional<std::string> run(std::string_view sql, bool single);
  std::optional<std::string> prepareUtf8(std::string_view utf8, sqlite3_stmt** stmt);
  static bool step(sqlite3_stmt* stmt);
  std::optional<std::string> finish(sqlite3_stmt* stmt);

  std::string path_;
  std::string pathUtf8_;
  sqlite3* handle_ = nullptr;
  int openResult_ = 0;
  int busyTimeoutMs_ = 0;
  ResultTable result_;
  std::optional<std::string> lastError_;
  int lastCode_ = 0;
  bool outOfRange_ = false;
};

// SQL text literal: the value between single quotes, its quotes doubled.
std::string sqlText(std::string_view value);

}  // namespace qm::db

// Whether a text is exactly one statement that only reads, decided by
// preparing it without running it. The item list and the group pane run a
// statement only after this check, so no text typed into the search bar or
// kept in a saved query can change the library.
//
// The checker keeps a read-only connection of its own beside the list
// connection: a check is one prepare, and even a wrong answer could not write.
#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace qm::db {

enum class StatementVerdict {
  ReadOnlyQuery,  // one statement that reads and returns rows
  Empty,          // nothing but blanks, comments and ";"
  Invalid,        // SQLite cannot prepare it (error holds its reason)
  MoreText,       // further statements or text after the first one
  Writes,         // the statement would change a database
  NoRows,         // reads but returns no rows (BEGIN, ATTACH, ...)
  NotOpen,        // the checker has no database
};

struct StatementCheck {
  StatementVerdict verdict = StatementVerdict::NotOpen;
  std::string error;  // SQLite's text for Invalid, as program text
  bool ok() const { return verdict == StatementVerdict::ReadOnlyQuery; }
};

class StatementChecker {
public:
  StatementChecker() = default;
  ~StatementChecker();
  StatementChecker(const StatementChecker&) = delete;
  StatementChecker& operator=(const StatementChecker&) = delete;

  // Opens `dbPath` (program text) read-only; false when it cannot.
  bool open(const std::string& dbPath);
  void close();
  bool isOpen() const { return handle_ != nullptr; }

  // `sql` is program text.
  StatementCheck check(std::string_view sql) const;

private:
  sqlite3* handle_ = nullptr;
};

}  // namespace qm::db

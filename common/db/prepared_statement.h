// One statement compiled once and run many times with new values, for writers
// of many rows whose statement text stays the same but for its values. Values
// are bound as they would stand quoted in the text: program text converted to
// UTF-8, numbers as integers, so the rows stored are the ones the text would
// store.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace qm::db {

class DbConnection;

class PreparedStatement {
public:
  PreparedStatement();
  ~PreparedStatement();
  PreparedStatement(const PreparedStatement&) = delete;
  PreparedStatement& operator=(const PreparedStatement&) = delete;

  // One statement of program text with "?" for its values. SQLite's error
  // text when it does not compile.
  std::optional<std::string> prepare(DbConnection& db, std::string_view sql);
  bool prepared() const { return stmt_ != nullptr; }

  // Parameters count from 1, as in SQLite.
  void bindText(int index, std::string_view programText);
  void bindInteger(int index, std::int64_t value);

  // Runs it to its end with the values bound, then makes it ready for the
  // next values. Nothing on success, else SQLite's error text.
  std::optional<std::string> run();
  // Rows the last run inserted, updated or deleted.
  int changes() const { return changes_; }
  int lastResultCode() const { return lastCode_; }

private:
  struct Finalizer {
    void operator()(sqlite3_stmt* stmt) const;
  };
  std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
  DbConnection* db_ = nullptr;
  int changes_ = 0;
  int lastCode_ = 0;
};

}  // namespace qm::db

// The one way a write transaction is run. It starts with BEGIN IMMEDIATE, so
// the write lock is taken at the start, behind the connection's busy timeout:
// two writers (two processes, or the program and a registration) queue there.
// A deferred BEGIN would take the lock at the first write instead, where SQLite
// fails a busy writer at once rather than let two readers wait for each other.
// A transaction not committed is rolled back when the object ends, so every
// early return leaves the library as it was.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace qm::db {

class DbConnection;

class WriteTransaction {
public:
  explicit WriteTransaction(DbConnection& db) : db_(db) {}
  ~WriteTransaction() { rollback(); }
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  // BEGIN IMMEDIATE. SQLite's error text when the lock could not be had within
  // the busy timeout (or the connection is not open); nothing is open then.
  std::optional<std::string> begin();
  // COMMIT. When it fails the transaction is rolled back and the reason given:
  // a failed commit is never left open for a later statement to finish.
  std::optional<std::string> commit();
  // Rolls back what is open; nothing when no transaction is. The connection's
  // last error is kept.
  void rollback();
  // False before begin, after commit or rollback, and once a failed statement
  // (a trigger's RAISE(ROLLBACK), say) took the transaction with it.
  bool isOpen() const;
  // Begun and not yet ended through this object, even when a failed statement
  // ended it inside SQLite: its commit then reports that.
  bool begun() const { return begun_; }

private:
  DbConnection& db_;
  bool begun_ = false;
};

// begin, `body` (returns the text of its failure, if any), commit: the first
// failure's text, everything rolled back after it.
template <typename Body>
std::optional<std::string> inWriteTransaction(DbConnection& db, Body&& body) {
  WriteTransaction transaction(db);
  if (auto error = transaction.begin()) return error;
  if (auto error = std::forward<Body>(body)()) return error;
  return transaction.commit();
}

}  // namespace qm::db

#include "crclib/row_store.h"

#include <sqlite3.h>

#include <thread>

#include "common/db/db_connection.h"

namespace qm::reg {

RowStore::RowStore(db::DbConnection& db, bool overwrite, BatchLimits limits)
    : db_(db), overwrite_(overwrite), limits_(limits) {}

std::optional<std::string> RowStore::begin() {
  if (auto error = db_.execute("BEGIN;")) return error;
  open_ = true;
  batchStart_ = std::chrono::steady_clock::now();
  return std::nullopt;
}

db::PreparedStatement& RowStore::statementFor(bool inArchive) {
  db::PreparedStatement& statement = inArchive ? memberInsert_ : fileInsert_;
  if (!statement.prepared()) {
    if (auto error = statement.prepare(db_, insertTemplate(inArchive, overwrite_))) error_ = *error;
  }
  return statement;
}

RowOutcome RowStore::write(const ImageRow& row) {
  db::PreparedStatement& insert = statementFor(row.inArchive);
  if (!insert.prepared()) return RowOutcome::Failed;
  const std::vector<RowValue> values = rowValues(row);
  int index = 0;
  for (const RowValue& value : values) {
    if (value.kind == RowValue::Kind::Now) continue;
    ++index;
    if (value.kind == RowValue::Kind::Number) {
      insert.bindInteger(index, std::stoll(value.text));
    } else {
      insert.bindText(index, value.text);
    }
  }
  if (auto error = insert.run()) {
    error_ = *error;
    return RowOutcome::Failed;
  }
  const bool seen = !keys_.insert(row.key).second;
  RowOutcome outcome = seen ? RowOutcome::Collided : insert.changes() > 0 ? RowOutcome::Stored : RowOutcome::Ignored;
  if (outcome == RowOutcome::Stored) ++pending_;
  const bool full = pending_ >= limits_.rows || std::chrono::steady_clock::now() - batchStart_ >= limits_.time;
  if (full && pending_ > 0) {
    if (auto error = commitBatch()) {
      error_ = *error;
      return RowOutcome::Failed;
    }
  }
  return outcome;
}

// A reader of the main window may hold the library for a moment; the busy
// timeout of the connection waits a few seconds, this waits longer.
std::optional<std::string> RowStore::commit() {
  const auto giveUp = std::chrono::steady_clock::now() + limits_.commitPatience;
  for (;;) {
    auto error = db_.execute("COMMIT;");
    if (!error || db_.lastResultCode() != SQLITE_BUSY || std::chrono::steady_clock::now() >= giveUp) return error;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::optional<std::string> RowStore::commitBatch() {
  if (auto error = commit()) {
    db_.execute("ROLLBACK;");
    open_ = false;
    pending_ = 0;
    return error;
  }
  committed_ += pending_;
  pending_ = 0;
  if (auto error = db_.execute("BEGIN;")) {
    open_ = false;
    return error;
  }
  batchStart_ = std::chrono::steady_clock::now();
  return std::nullopt;
}

std::optional<std::string> RowStore::finish() {
  if (!open_) return std::nullopt;
  open_ = false;
  if (auto error = commit()) {
    db_.execute("ROLLBACK;");
    pending_ = 0;
    error_ = *error;
    return error;
  }
  committed_ += pending_;
  pending_ = 0;
  return std::nullopt;
}

}  // namespace qm::reg

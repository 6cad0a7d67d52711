#include "crclib/row_store.h"

#include "common/db/db_connection.h"

namespace qm::reg {

RowStore::RowStore(db::DbConnection& db, bool overwrite, BatchLimits limits)
    : db_(db), transaction_(db), overwrite_(overwrite), limits_(limits) {}

std::optional<std::string> RowStore::begin() {
  if (auto error = transaction_.begin()) return error;
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
  if (!transaction_.begun()) {
    if (auto error = begin()) {
      error_ = *error;
      return RowOutcome::Failed;
    }
  }
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

// A failed commit loses its batch only. The next batch begins with its first
// row, not at once: between the two another writer waiting for the lock (a
// record edit, another registration) gets its turn.
std::optional<std::string> RowStore::commitBatch() {
  const auto error = transaction_.commit();
  if (!error) committed_ += pending_;
  pending_ = 0;
  return error;
}

std::optional<std::string> RowStore::finish() {
  if (!transaction_.begun()) return std::nullopt;
  if (auto error = transaction_.commit()) {
    pending_ = 0;
    error_ = *error;
    return error;
  }
  committed_ += pending_;
  pending_ = 0;
  return std::nullopt;
}

}  // namespace qm::reg

#include "common/db/write_transaction.h"

#include "common/db/db_connection.h"

namespace qm::db {

std::optional<std::string> WriteTransaction::begin() {
  rollback();
  if (auto error = db_.execute("BEGIN IMMEDIATE;")) return error;
  begun_ = true;
  return std::nullopt;
}

std::optional<std::string> WriteTransaction::commit() {
  // A transaction a failed statement already ended gets SQLite's own "cannot
  // commit - no transaction is active".
  if (!begun_) return std::string("no transaction is open");
  const auto error = db_.execute("COMMIT;");
  if (error) rollback();
  begun_ = false;
  return error;
}

void WriteTransaction::rollback() {
  // The failure that ended the transaction stays the connection's last error,
  // for callers that report it from there.
  if (isOpen()) {
    auto error = std::move(db_.lastError_);
    const int code = db_.lastCode_;
    db_.execute("ROLLBACK;");
    db_.lastError_ = std::move(error);
    db_.lastCode_ = code;
  }
  begun_ = false;
}

bool WriteTransaction::isOpen() const { return begun_ && db_.inTransaction(); }

}  // namespace qm::db

// Where a registration run's rows go: one prepared INSERT per kind (image file,
// archive member), committed in batches so that a failure loses at most the
// last batch, each batch a write transaction that waits for other writers and
// readers for the connection's busy timeout, and the rows counted from what the
// database really inserted or replaced.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <unordered_set>

#include "common/db/prepared_statement.h"
#include "common/db/write_transaction.h"
#include "crclib/image_row.h"

namespace qm::db {
class DbConnection;
}

namespace qm::reg {

struct BatchLimits {
  long long rows = 2000;
  std::chrono::milliseconds time{2000};
};

enum class RowOutcome {
  Stored,    // inserted or replaced: counted
  Ignored,   // an image already there (INSERT OR IGNORE)
  Collided,  // a key this run stored before: replaced or ignored, counted once
  Failed,
};

class RowStore {
public:
  RowStore(db::DbConnection& db, bool overwrite, BatchLimits limits = {});

  // Starts the first batch. SQLite's error text when it cannot.
  std::optional<std::string> begin();
  // Writes the row, in a new batch after a committed one; commits the batch
  // when it is full or old enough.
  RowOutcome write(const ImageRow& row);
  // Commits what is pending (also after a stop). The error text, after which
  // the pending rows are rolled back and lost.
  std::optional<std::string> finish();

  // Rows stored in committed batches, and in all (committed and pending).
  long long committed() const { return committed_; }
  long long stored() const { return committed_ + pending_; }
  // The error of the last failed write or commit.
  const std::string& error() const { return error_; }

private:
  std::optional<std::string> commitBatch();
  db::PreparedStatement& statementFor(bool inArchive);

  db::DbConnection& db_;
  db::WriteTransaction transaction_;
  bool overwrite_;
  BatchLimits limits_;
  db::PreparedStatement fileInsert_, memberInsert_;
  std::unordered_set<std::string> keys_;
  long long committed_ = 0, pending_ = 0;
  std::chrono::steady_clock::time_point batchStart_;
  std::string error_;
};

}  // namespace qm::reg

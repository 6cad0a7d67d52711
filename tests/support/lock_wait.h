// The wait for another writer's lock of the connections that the code under
// test opens, shortened while the object lives: a case that waits the lock out
// takes a moment instead of the 30 seconds a user's command waits.
#pragma once

#include "common/db/db_connection.h"

namespace qm::test {

class ShortLockWait {
public:
  explicit ShortLockWait(int milliseconds) { db::DbConnection::setDefaultBusyTimeout(milliseconds); }
  ~ShortLockWait() { db::DbConnection::setDefaultBusyTimeout(db::DbConnection::kBusyTimeoutMs); }
  ShortLockWait(const ShortLockWait&) = delete;
  ShortLockWait& operator=(const ShortLockWait&) = delete;
};

}  // namespace qm::test

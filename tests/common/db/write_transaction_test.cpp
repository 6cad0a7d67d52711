#include "common/db/write_transaction.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "common/db/db_connection.h"
#include "common/text/encoding.h"
#include "tests/support/temp_folder.h"

namespace qm::db {
namespace {

class WriteTransactionTest : public ::testing::Test {
protected:
  void SetUp() override {
    db.open(path);
    ASSERT_FALSE(db.execute("CREATE TABLE t( a TEXT );"));
  }
  std::string count() {
    DbConnection reader;
    reader.open(path);
    return reader.execute("SELECT count(*) FROM t;") ? "failed" : reader.cell(1, 0);
  }
  test::TempFolder folder;
  std::string path = folder.file("test.db");
  DbConnection db;
};

// Another writer: a second connection holding the write lock until released.
class OtherWriter {
public:
  explicit OtherWriter(const std::string& path) {
    db_.open(path);
    held_ = !db_.execute("BEGIN IMMEDIATE;");
  }
  bool held() const { return held_; }
  void release() { db_.execute("ROLLBACK;"); }

private:
  DbConnection db_;
  bool held_ = false;
};

TEST_F(WriteTransactionTest, WhatIsNotCommittedIsRolledBackAtTheEnd) {
  {
    WriteTransaction transaction(db);
    ASSERT_FALSE(transaction.begin());
    EXPECT_TRUE(transaction.isOpen());
    ASSERT_FALSE(db.execute("INSERT INTO t VALUES('dropped');"));
  }
  EXPECT_FALSE(db.inTransaction());
  EXPECT_EQ(count(), "0");
  {
    WriteTransaction transaction(db);
    ASSERT_FALSE(transaction.begin());
    ASSERT_FALSE(db.execute("INSERT INTO t VALUES('kept');"));
    EXPECT_FALSE(transaction.commit());
    EXPECT_FALSE(transaction.isOpen());
  }
  EXPECT_EQ(count(), "1");
}

TEST_F(WriteTransactionTest, TheFirstFailureOfTheBodyIsReportedAndNothingWritten) {
  const auto error = inWriteTransaction(db, [&]() -> std::optional<std::string> {
    if (auto e = db.execute("INSERT INTO t VALUES('one');")) return e;
    return db.execute("INSERT INTO missing VALUES('two');");
  });
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "no such table: missing");
  EXPECT_FALSE(db.inTransaction());
  EXPECT_EQ(count(), "0");
  EXPECT_FALSE(inWriteTransaction(db, [&] { return db.execute("INSERT INTO t VALUES('one');"); }));
  EXPECT_EQ(count(), "1");
}

// A trigger's RAISE(ROLLBACK) ends the transaction inside a statement: the
// object sees it closed and its commit fails instead of committing nothing.
TEST_F(WriteTransactionTest, ATransactionAStatementRolledBackIsNoLongerOpen) {
  ASSERT_FALSE(db.execute("CREATE TRIGGER undo BEFORE INSERT ON t WHEN NEW.a='undo' BEGIN SELECT RAISE(ROLLBACK, 'undone'); END;"));
  WriteTransaction transaction(db);
  ASSERT_FALSE(transaction.begin());
  ASSERT_FALSE(db.execute("INSERT INTO t VALUES('before');"));
  EXPECT_EQ(db.execute("INSERT INTO t VALUES('undo');"), std::optional<std::string>("undone"));
  EXPECT_FALSE(transaction.isOpen());
  EXPECT_TRUE(transaction.commit());
  EXPECT_EQ(count(), "0");
}

// Both writers read before they write, the pattern in which a deferred BEGIN
// fails the second writer at once: with the lock taken at BEGIN it waits.
TEST_F(WriteTransactionTest, ASecondWriterWaitsForTheFirst) {
  WriteTransaction first(db);
  ASSERT_FALSE(first.begin());
  ASSERT_FALSE(db.execute("SELECT count(*) FROM t; INSERT INTO t VALUES('first');"));
  std::thread second([&] {
    DbConnection other;
    other.open(path);
    const auto error = inWriteTransaction(
        other, [&] { return other.execute("SELECT count(*) FROM t; INSERT INTO t VALUES('second');"); });
    EXPECT_FALSE(error) << *error;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(first.commit());
  second.join();
  EXPECT_EQ(count(), "2");
}

TEST_F(WriteTransactionTest, ALockHeldPastTheWaitFailsTheBeginAndSaysSo) {
  OtherWriter other(path);
  ASSERT_TRUE(other.held());
  db.setBusyTimeout(200);
  WriteTransaction transaction(db);
  const auto started = std::chrono::steady_clock::now();
  const auto error = transaction.begin();
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(200));
  ASSERT_TRUE(error);
  EXPECT_EQ(text::sjisToUtf8(*error), "database is locked\n他の処理がライブラリを使っています（1 秒待ちましたが終わりませんでした）。");
  EXPECT_EQ(db.lastResultCode(), 5);  // SQLITE_BUSY
  EXPECT_FALSE(transaction.isOpen());
  EXPECT_TRUE(transaction.commit());
}

// A reader that stays keeps the COMMIT from its lock past the wait: the
// transaction is rolled back, not left open for a later statement to finish.
TEST_F(WriteTransactionTest, AFailedCommitIsRolledBack) {
  DbConnection reader;
  reader.open(path);
  ASSERT_FALSE(reader.execute("BEGIN; SELECT count(*) FROM t;"));
  db.setBusyTimeout(100);
  WriteTransaction transaction(db);
  ASSERT_FALSE(transaction.begin());
  ASSERT_FALSE(db.execute("INSERT INTO t VALUES('lost');"));
  const auto error = transaction.commit();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->substr(0, 18), "database is locked");
  EXPECT_FALSE(db.inTransaction());
  ASSERT_FALSE(reader.execute("COMMIT;"));
  EXPECT_EQ(count(), "0");
}

}  // namespace
}  // namespace qm::db

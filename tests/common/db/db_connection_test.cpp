#include "common/db/db_connection.h"

#include <gtest/gtest.h>
#include <pcre2.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "common/text/encoding.h"
#include "tests/support/temp_folder.h"

namespace qm::db {
namespace {

using text::sjis;

class DbConnectionTest : public ::testing::Test {
protected:
  void SetUp() override {
    db.open(folder.file("test.db"));
    ASSERT_FALSE(db.execute("CREATE TABLE t( a TEXT, b INTEGER );"));
  }
  test::TempFolder folder;
  DbConnection db;
};

TEST_F(DbConnectionTest, QuotedTextIsStoredAndFoundUnchanged) {
  const std::string title = sjis("It's a \"ソフト\" 表示 ''");
  ASSERT_FALSE(db.execute("INSERT INTO t(a) VALUES(" + sqlText(title) + ");"));
  ASSERT_FALSE(db.execute("SELECT a FROM t WHERE a=" + sqlText(title) + ";"));
  ASSERT_EQ(db.rowCount(), 1);
  EXPECT_EQ(db.cell(1, 0), title);
  EXPECT_EQ(DbConnection::quoteSql("a'b''"), "a''b''''");
  EXPECT_EQ(DbConnection::quoteSql("plain"), "plain");
}

TEST_F(DbConnectionTest, DatabaseHoldsUtf8AndCellsComeBackAsShiftJis) {
  const std::string name = sjis("ファミコン カセット");
  ASSERT_FALSE(db.execute("INSERT INTO t(a) VALUES('" + name + "');"));
  ASSERT_FALSE(db.execute("SELECT a, hex(a) FROM t;"));
  EXPECT_EQ(db.cell(1, 0), name);
  EXPECT_EQ(db.cellUtf8(1, 0), "ファミコン カセット");
  EXPECT_EQ(db.cell(1, 1), "E38395E382A1E3839FE382B3E383B320E382ABE382BBE38383E38388");
}

TEST_F(DbConnectionTest, SeveralStatementsStopAtTheFirstFailure) {
  auto error = db.execute(
      "ALTER TABLE t ADD COLUMN c TEXT; ALTER TABLE t ADD COLUMN a TEXT; ALTER TABLE t ADD COLUMN d TEXT;");
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "duplicate column name: a");
  EXPECT_EQ(db.lastError(), error);
  ASSERT_FALSE(db.execute("SELECT * FROM t;"));
  ASSERT_FALSE(db.execute("SELECT name FROM pragma_table_info('t');"));
  ASSERT_EQ(db.rowCount(), 3);
  EXPECT_EQ(db.cell(3, 0), "c");
}

TEST_F(DbConnectionTest, CellOutsideTheResultIsEmptyAndFlagged) {
  ASSERT_FALSE(db.execute("INSERT INTO t VALUES('x', 1);"));
  ASSERT_FALSE(db.execute("SELECT a, b FROM t;"));
  EXPECT_EQ(db.cell(1, 1), "1");
  EXPECT_FALSE(db.outOfRange());
  EXPECT_EQ(db.cell(0, 0), "");  // the header row is not data
  EXPECT_TRUE(db.outOfRange());
  db.cell(1, 0);
  EXPECT_FALSE(db.outOfRange());
  EXPECT_EQ(db.cell(1, 2), "");
  EXPECT_TRUE(db.outOfRange());
  EXPECT_EQ(db.cell(2, 0), "");
  EXPECT_TRUE(db.outOfRange());
  EXPECT_EQ(db.cell(1, -1), "");
  EXPECT_TRUE(db.outOfRange());
  EXPECT_FALSE(db.lastError());
}

TEST_F(DbConnectionTest, CellsByHeaderName) {
  ASSERT_FALSE(db.execute("INSERT INTO t VALUES('x', 7);"));
  ASSERT_FALSE(db.execute("SELECT b, a, b AS b FROM t;"));
  EXPECT_EQ(db.cellByName(1, "a"), "x");
  EXPECT_EQ(db.cellByName(1, "b"), "7");
  EXPECT_FALSE(db.outOfRange());
  EXPECT_EQ(db.cellByName(1, "A"), "");  // exact, as lstrcmpA
  EXPECT_TRUE(db.outOfRange());
  EXPECT_EQ(db.cellByName(2, "a"), "");
  EXPECT_TRUE(db.outOfRange());
}

TEST_F(DbConnectionTest, EmptyResultsAndNulls) {
  ASSERT_FALSE(db.execute("SELECT a FROM t;"));
  EXPECT_EQ(db.rowCount(), 0);
  EXPECT_EQ(db.columnCount(), 0);
  ASSERT_FALSE(db.execute("INSERT INTO t(b) VALUES(1);"));
  ASSERT_FALSE(db.execute("SELECT t.a, x.a FROM t LEFT JOIN t AS x ON x.b = 99;"));
  ASSERT_EQ(db.rowCount(), 1);
  EXPECT_EQ(db.cell(1, 0), "");
  EXPECT_EQ(db.cell(1, 1), "");
  EXPECT_FALSE(db.outOfRange());
}

TEST_F(DbConnectionTest, RowsOfSeveralSelectsAreJoinedAsOneTable) {
  ASSERT_FALSE(db.execute("SELECT 1; SELECT 2;"));
  EXPECT_EQ(db.rowCount(), 2);
  EXPECT_EQ(db.cell(2, 0), "2");
  auto error = db.execute("SELECT 1; SELECT 1, 2;");
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "sqlite3_get_table() called with two or more incompatible queries");
}

TEST_F(DbConnectionTest, FailedResultIsEmpty) {
  ASSERT_FALSE(db.execute("SELECT 1, 2;"));
  EXPECT_TRUE(db.execute("SELECT * FROM missing_table;"));
  EXPECT_EQ(db.rowCount(), 0);
  EXPECT_EQ(db.cell(1, 0), "");
  EXPECT_EQ(*db.lastError(), "no such table: missing_table");
  EXPECT_EQ(db.lastResultCode(), SQLITE_ERROR);
  EXPECT_FALSE(db.execute("SELECT 1;"));
  EXPECT_FALSE(db.lastError());
}

TEST_F(DbConnectionTest, ResultIsEmptyWhicheverStatementOfABatchFailed) {
  // A batch whose first statements returned rows before a later one failed:
  // a reader that skips the error must not see those rows as the answer.
  for (const char* batch : {"SELECT 1; SELECT * FROM missing_table;", "SELECT 1; SELECT 1, 2;",
                            "SELECT 1; SELECT 2; SELEC 3;", "INSERT INTO t(a) VALUES('x'); SELECT a FROM t; x;"}) {
    ASSERT_FALSE(db.execute("SELECT 1, 2, 3;"));
    EXPECT_TRUE(db.execute(batch)) << batch;
    EXPECT_EQ(db.rowCount(), 0) << batch;
    EXPECT_EQ(db.columnCount(), 0) << batch;
    EXPECT_EQ(db.cell(1, 0), "") << batch;
    EXPECT_TRUE(db.outOfRange()) << batch;
  }
}

TEST_F(DbConnectionTest, RegularExpressionsInBothForms) {
  ASSERT_FALSE(db.execute("INSERT INTO t(a) VALUES('" + sjis("スーパーマリオブラザーズ3") + "'),('" +
                          sjis("ゼルダの伝説") + "'),('Tetris');"));
  ASSERT_FALSE(db.execute("SELECT a FROM t WHERE a REGEXP '" + sjis("^スーパー.*[0-9]$") + "';"));
  ASSERT_EQ(db.rowCount(), 1);
  EXPECT_EQ(db.cell(1, 0), sjis("スーパーマリオブラザーズ3"));
  ASSERT_FALSE(db.execute("SELECT a FROM t WHERE REGEX(a, '" + sjis("の伝.$") + "') ORDER BY a;"));
  ASSERT_EQ(db.rowCount(), 1);
  EXPECT_EQ(db.cell(1, 0), sjis("ゼルダの伝説"));
  // One character, not one byte: UTF-8 mode.
  ASSERT_FALSE(db.execute("SELECT REGEX('" + sjis("表") + "', '^.$'), 'x' REGEXP NULL, REGEX(NULL, 'x');"));
  EXPECT_EQ(db.cell(1, 0), "1");
  EXPECT_EQ(db.cell(1, 1), "");
  EXPECT_EQ(db.cell(1, 2), "");
  ASSERT_FALSE(db.execute("SELECT count(*) FROM t WHERE a REGEXP '(?i)^tet';"));
  EXPECT_EQ(db.cell(1, 0), "1");
}

// Every search runs its pattern over each row: both builds compile it to machine code.
TEST(RegexpEngine, HasItsJit) {
  uint32_t jit = 0;
  ASSERT_EQ(pcre2_config(PCRE2_CONFIG_JIT, &jit), 0);
  EXPECT_EQ(jit, 1u);
}

TEST_F(DbConnectionTest, BadPatternIsAnErrorNotACrash) {
  ASSERT_FALSE(db.execute("INSERT INTO t(a) VALUES('x');"));
  auto error = db.execute("SELECT a FROM t WHERE a REGEXP '([';");
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("regular expression error"), std::string::npos) << *error;
}

TEST_F(DbConnectionTest, NoStatementCanLoadALibrary) {
  auto error = db.execute("SELECT load_extension('x');");
  ASSERT_TRUE(error);
  EXPECT_TRUE(error->find("not authorized") != std::string::npos ||
              error->find("no such function") != std::string::npos)
      << *error;
}

TEST_F(DbConnectionTest, WaitsForAnotherConnectionsWriteLock) {
  DbConnection writer;
  writer.open(folder.file("test.db"));
  ASSERT_FALSE(writer.execute("BEGIN IMMEDIATE;"));
  ASSERT_FALSE(writer.execute("INSERT INTO t(a) VALUES('held');"));
  std::thread release([&writer] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    writer.execute("COMMIT;");
  });
  auto error = db.execute("INSERT INTO t(a) VALUES('after');");
  release.join();
  EXPECT_FALSE(error) << *error;
  ASSERT_FALSE(db.execute("SELECT count(*) FROM t;"));
  EXPECT_EQ(db.cell(1, 0), "2");
}

TEST(DbConnectionOpen, FailedOpenMakesEveryExecuteFail) {
  test::TempFolder folder;
  DbConnection db;
  db.open(folder.file("missing") + "/sub/x.db");
  EXPECT_NE(db.openResult(), SQLITE_OK);
  auto error = db.execute("SELECT 1;");
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "unable to open database file");
  EXPECT_EQ(db.rowCount(), 0);
  db.close();
  db.close();
}

TEST(DbConnectionOpen, NotADatabaseIsReportedByTheFirstStatement) {
  test::TempFolder folder;
  std::string path = folder.file("notes.db");
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fputs("This is a text file, not a library.\n", f);
  std::fclose(f);
  DbConnection db;
  db.open(path);
  auto error = db.execute("SELECT ver FROM qlm_table ;");
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "file is not a database");
}

}  // namespace
}  // namespace qm::db

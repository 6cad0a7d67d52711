// A statement runs for the list only when it is exactly one read-only query.
#include "common/db/statement_check.h"

#include <gtest/gtest.h>

#include <string>

#include "common/db/db_connection.h"
#include "tests/support/temp_folder.h"

namespace qm::db {
namespace {

// A library-shaped table of four rows; the checker opens the file first, as
// the main window's does, and sees what is made after.
class StatementCheckTest : public ::testing::Test {
protected:
  void SetUp() override {
    run("CREATE TABLE main_table(file_name TEXT PRIMARY KEY, title TEXT, rating INTEGER);"
        "INSERT INTO main_table VALUES ('a.nes', 'a', 30), ('b.sfc', 'b', 50), ('c.d88', 'c', 10), "
        "('d.d88', 'd', 10);");
    ASSERT_TRUE(checker.open(dbPath()));
  }

  std::string dbPath() const { return folder.file("Quillmoor.db"); }
  void run(const std::string& sql) {
    DbConnection db;
    db.open(dbPath());
    ASSERT_FALSE(db.execute(sql));
  }
  int countRows(const std::string& table) {
    DbConnection db;
    db.open(dbPath());
    if (db.execute("SELECT COUNT(*) FROM " + table + ";")) return -1;
    return std::stoi(db.cell(1, 0));
  }

  test::TempFolder folder;
  StatementChecker checker;
};

TEST_F(StatementCheckTest, VerdictsWithoutRunningAnything) {
  struct Case {
    const char* sql;
    StatementVerdict verdict;
  };
  const Case cases[] = {
      {"SELECT * FROM main_table", StatementVerdict::ReadOnlyQuery},
      {"SELECT * FROM main_table ;", StatementVerdict::ReadOnlyQuery},
      {"  -- leading comment\nSELECT 1; -- trailing\n ;; /* more */ ", StatementVerdict::ReadOnlyQuery},
      {"WITH t AS (SELECT 1) SELECT * FROM t", StatementVerdict::ReadOnlyQuery},
      {"SELECT * FROM main_table WHERE title REGEXP 'a'", StatementVerdict::ReadOnlyQuery},
      {"SELECT 1; DROP TABLE main_table", StatementVerdict::MoreText},
      {"SELECT 1; SELECT 2", StatementVerdict::MoreText},
      {"SELECT 1; garbage", StatementVerdict::MoreText},
      {"DELETE FROM main_table", StatementVerdict::Writes},
      {"UPDATE main_table SET rating=0", StatementVerdict::Writes},
      {"WITH t AS (SELECT 1) DELETE FROM main_table", StatementVerdict::Writes},
      {"CREATE TABLE x(a)", StatementVerdict::Writes},
      {"BEGIN", StatementVerdict::NoRows},
      {"ATTACH ':memory:' AS other", StatementVerdict::NoRows},
      {"SELECT x FROM nowhere", StatementVerdict::Invalid},
      {"", StatementVerdict::Empty},
      {" ; -- only this", StatementVerdict::Empty},
  };
  for (const Case& c : cases) EXPECT_EQ(checker.check(c.sql).verdict, c.verdict) << c.sql;
  EXPECT_EQ(checker.check("SELECT x FROM nowhere").error, "no such table: nowhere");
  EXPECT_EQ(countRows("main_table"), 4);
}

TEST_F(StatementCheckTest, SeesAViewMadeAfterItOpened) {
  EXPECT_EQ(checker.check("SELECT * FROM list_view").verdict, StatementVerdict::Invalid);
  run("CREATE VIEW list_view AS SELECT * FROM main_table;");
  EXPECT_EQ(checker.check("SELECT * FROM list_view").verdict, StatementVerdict::ReadOnlyQuery);
}

TEST(StatementChecker, WithoutADatabase) {
  StatementChecker checker;
  EXPECT_EQ(checker.check("SELECT 1").verdict, StatementVerdict::NotOpen);
  test::TempFolder folder;
  EXPECT_FALSE(checker.open(folder.file("missing.db")));
  EXPECT_FALSE(checker.isOpen());
}

}  // namespace
}  // namespace qm::db

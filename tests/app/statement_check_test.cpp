// A statement runs for the list only when it is exactly one read-only query.
#include <string>

#include "app/search/item_list.h"
#include "app/search/list_view_sql.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

using db::StatementVerdict;

class StatementCheckTest : public LibraryTest {};

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

TEST_F(StatementCheckTest, TypedStatementsThatWriteAreRefusedAndTheLibrarySurvives) {
  const char* typed[] = {
      "SELECT 1; DROP TABLE main_table",
      "DELETE FROM main_table",
      "SELECT * FROM main_table; DELETE FROM main_table;",
  };
  for (const char* sql : typed) {
    auto error = runReadOnly(list, checker, sql);
    ASSERT_TRUE(error) << sql;
    EXPECT_FALSE(error->empty());
  }
  EXPECT_EQ(countRows("main_table"), 4);

  // Through the item list: a search statement with a second statement after it.
  ASSERT_FALSE(list.execute(viewStatementWithoutSearch()));
  ItemList items(list, checker, sink);
  items.statements().search = "SELECT * FROM list_view; DELETE FROM main_table";
  EXPECT_FALSE(items.sort(kResetSort, SortMode::Toggle));
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sink.messages()[0].caption, "ItemListClmSort:SQLSearch");
  EXPECT_EQ(sink.messages()[1].text, items.lastStatement());
  EXPECT_EQ(countRows("main_table"), 4);
}

TEST_F(StatementCheckTest, SeesAViewMadeAfterItOpened) {
  EXPECT_EQ(checker.check("SELECT * FROM list_view").verdict, StatementVerdict::Invalid);
  ASSERT_FALSE(list.execute(viewStatementWithoutSearch()));
  EXPECT_EQ(checker.check("SELECT * FROM list_view").verdict, StatementVerdict::ReadOnlyQuery);
}

TEST(StatementChecker, WithoutADatabase) {
  db::StatementChecker checker;
  EXPECT_EQ(checker.check("SELECT 1").verdict, StatementVerdict::NotOpen);
  qm::test::TempFolder folder;
  EXPECT_FALSE(checker.open(folder.file("missing.db")));
  EXPECT_FALSE(checker.isOpen());
}

}  // namespace
}  // namespace qm::search::test

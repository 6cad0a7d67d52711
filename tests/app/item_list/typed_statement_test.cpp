// A typed statement that writes is refused on the list connection and through
// the item list, and the library survives it.
#include <string>

#include "app/item_list/item_list.h"
#include "app/item_list/list_view_sql.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

class StatementCheckTest : public LibraryTest {};

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

}  // namespace
}  // namespace qm::search::test

// A list statement that fails leaves the list as it was, whether the list
// showed an SQL search's result or the whole view sorted in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/item_list/item_list.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

class ItemListFailureTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(items.recreateView());
  }
  std::string shown() {
    std::string all;
    for (int i = 0; i < items.rowCount(); ++i) all += text::sjisToUtf8(items.cell(i, 2)) + "|";
    return all;
  }
  ItemList items{list, checker, sink};
};

TEST_F(ItemListFailureTest, AFailedSortKeepsThePreviousList) {
  struct Case {
    const char* name;
    const char* before;  // the SQL search the list shows first ("" for none)
    const char* expected;
  };
  const Case cases[] = {
      {"after an SQL search", "SELECT * FROM list_view WHERE rating>=0 ORDER BY title;", "星の物語|海の伝説|霧の館|"},
      {"after the whole view", "", "星の物語|海の伝説|霧の館|"},
      {"after a search of one row", "SELECT * FROM list_view WHERE title LIKE '%館%';", "霧の館|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sink.clear();
    items.statements().search = text::sjis(c.before);
    ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
    ASSERT_EQ(shown(), c.expected);
    // Checked and prepared, it fails while its rows are read, after the
    // connection's result was given up.
    items.statements().search = "SELECT * FROM list_view WHERE abs(-9223372036854775807-1)>0;";
    EXPECT_FALSE(items.sort(3, SortMode::Toggle));
    EXPECT_EQ(sink.messages().size(), 2u);
    EXPECT_EQ(items.rowCount(), static_cast<int>(std::count(c.expected, c.expected + std::strlen(c.expected), '|')));
    EXPECT_EQ(shown(), c.expected);
  }
}

}  // namespace
}  // namespace qm::search::test

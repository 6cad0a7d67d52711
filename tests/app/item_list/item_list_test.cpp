// The item list over a real library: the view, sorting, groups, the cursor.
#include <string>

#include "app/item_list/group_pane.h"
#include "app/item_list/item_list.h"
#include "app/item_list/list_columns.h"
#include "app/item_list/list_view_sql.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

using text::sjis;

class ItemListTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(items.recreateView());
  }
  std::string titles() {
    std::string all;
    for (int i = 0; i < items.rowCount(); ++i) all += text::sjisToUtf8(items.cell(i, 2)) + "|";
    return all;
  }

  ItemList items{list, checker, sink};
};

TEST_F(ItemListTest, TheViewHasItsFiftyOneColumnsAndNoChildImages) {
  ASSERT_FALSE(list.execute("SELECT name FROM pragma_table_info('list_view') ORDER BY cid;"));
  ASSERT_EQ(list.rowCount(), 51);
  for (int c = 0; c < 51; ++c) EXPECT_EQ(list.cell(c + 1, 0), viewColumns()[c]) << c;
  ASSERT_FALSE(list.execute("SELECT * FROM list_view ORDER BY file_name;"));
  EXPECT_EQ(list.rowCount(), 3);
  EXPECT_EQ(list.cellByName(2, "maxdisk"), "2");                 // the set's parent
  EXPECT_EQ(list.cellByName(3, "price"), "9800");                // umi, from spec_table
  EXPECT_EQ(list.cellByName(1, "memo"), "");                     // no side row
  EXPECT_EQ(viewStatementWithoutSearch().substr(viewStatementWithoutSearch().size() - 13), "WHERE ply<2 ;");
  for (int c = 0; c < kColumnCount; ++c) {
    const ListColumn& column = listColumns()[c];
    if (*column.field) {
      EXPECT_STREQ(viewColumns()[column.viewColumn], column.field) << c;
    }
  }
  EXPECT_STREQ(viewColumns()[kViewMachineName], "machine_name");
  EXPECT_STREQ(viewColumns()[kViewGenreName], "genre_name");
}

TEST_F(ItemListTest, SortingFillsTheListInTheRequestedOrder) {
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  EXPECT_EQ(titles(), "星の物語|海の伝説|霧の館|");  // UTF-8 in the file: code point order
  ASSERT_TRUE(items.sort(3, SortMode::Toggle));
  EXPECT_EQ(titles(), "霧の館|星の物語|海の伝説|");
  ASSERT_TRUE(items.sort(3, SortMode::Toggle));
  EXPECT_EQ(titles(), "海の伝説|星の物語|霧の館|");
  items.setReadingSort(true);
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  EXPECT_EQ(titles(), "海の伝説|霧の館|星の物語|");  // うみ, きり, ほし
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(ItemListTest, GroupFiltersNarrowTheList) {
  items.statements().group = groupFilterStatement(GroupKind::Maker, 1, "Let's");
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  EXPECT_EQ(titles(), "海の伝説|");
  items.statements().group = groupFilterStatement(GroupKind::Rating, 2, "");
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  EXPECT_EQ(titles(), "霧の館|");
  items.statements().search = "SELECT * FROM list_view WHERE title LIKE '%' ORDER BY kana DESC LIMIT 1;";
  items.statements().group = groupFilterStatement(GroupKind::Maker, 1, sjis("デモソフト"));
  ASSERT_TRUE(items.sort(kKeepStatementOrder, SortMode::Toggle));
  EXPECT_EQ(titles(), "星の物語|");
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(ItemListTest, GroupQueriesRunAsReadOnly) {
  db::DbConnection group;
  group.open(dbPath());
  ASSERT_FALSE(runReadOnly(group, checker, groupQuery(GroupKind::Maker, "")));
  ASSERT_EQ(group.rowCount(), 2);
  EXPECT_EQ(group.cell(1, 0), "Let's");
  ASSERT_FALSE(runReadOnly(group, checker, groupQuery(GroupKind::Machine, "SELECT * FROM list_view WHERE rating>=30")));
  ASSERT_EQ(group.rowCount(), 2);
  ASSERT_FALSE(runReadOnly(group, checker, groupQuery(GroupKind::Adult, "")));
  EXPECT_EQ(groupItemCount(GroupKind::Adult, group.rowCount()), 3);
  ASSERT_FALSE(runReadOnly(group, checker, kTitleCountQuery));
  EXPECT_EQ(group.cell(1, 0), "3");
}

TEST_F(ItemListTest, TheCursorFollowsAnItemByItsFileName) {
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  EXPECT_EQ(items.findItem("C:\\roms\\umi.sfc"), 1);
  EXPECT_EQ(items.fileNameAt(1), "C:\\roms\\umi.sfc");
  ASSERT_TRUE(items.sort(3, SortMode::Descending));
  EXPECT_EQ(items.findItem("C:\\roms\\umi.sfc"), 0);
  EXPECT_EQ(items.findItem("c:\\roms\\umi.sfc"), -1);  // exact, case-sensitive
  EXPECT_EQ(items.findItem("C:\\roms\\kiri_2.d88"), -1);  // a child is not listed
  EXPECT_EQ(items.findItem(""), -1);
}

// A quick mark changes what a row shows without reading the list again, in
// both kinds of list, until the list is read again.
TEST_F(ItemListTest, AShownCellChangesInPlaceUntilTheListIsReadAgain) {
  const int rating = viewColumn("rating");
  for (const bool sqlSearch : {false, true}) {
    SCOPED_TRACE(sqlSearch);
    items.statements().search = sqlSearch ? "SELECT * FROM list_view" : "";
    ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
    const int umi = items.findItem("C:\\roms\\umi.sfc");
    const std::string stored = items.cell(umi, rating);
    ASSERT_EQ(stored, "50");
    items.setShownCell(umi, rating, "20");
    items.setShownCell(umi, 999, "x");      // no such column: nothing
    items.setShownCell(-1, rating, "x");    // no such row: nothing
    EXPECT_EQ(items.cell(umi, rating), "20");
    EXPECT_EQ(items.cell(items.findItem("C:\\roms\\hoshi.nes"), rating), "30");
    ASSERT_TRUE(items.sort(kSortAgain, SortMode::Toggle));
    EXPECT_EQ(items.cell(items.findItem("C:\\roms\\umi.sfc"), rating), stored);
  }
}

TEST_F(ItemListTest, AFailingStatementIsReportedWithTheStatement) {
  items.statements().search = "SELECT * FROM list_view WHERE no_such_column=1";
  EXPECT_FALSE(items.sort(kResetSort, SortMode::Toggle));
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sink.messages()[0].text, sjis("ビュー選択できませんでした。\n") + "no such column: no_such_column");
  EXPECT_EQ(sink.messages()[1].caption, sjis("実行クエリ"));
}

TEST_F(ItemListTest, RecreatingAFailingViewIsReported) {
  items.statements().view = "CREATE VIEW list_view AS SELECT nothing FROM nowhere;";
  EXPECT_FALSE(items.recreateView());
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].caption, sjis("DBエラー"));
}

}  // namespace
}  // namespace qm::search::test

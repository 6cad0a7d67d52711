// The list's columns as the settings lay them out, and the shown cell texts.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/item_list/list_columns.h"
#include "app/settings/settings.h"
#include "common/text/encoding.h"

namespace qm::search {
namespace {

using text::sjis;

TEST(ListColumns, DefaultLayoutShowsTheFirstSevenInIndexOrder) {
  const ColumnLayout layout = columnLayout(Settings());
  EXPECT_EQ(shownColumnsInOrder(layout), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  for (int width : layout.width) EXPECT_EQ(width, 150);
}

TEST(ListColumns, StoredPositionsOrderTheShownColumns) {
  Settings settings;
  ColumnLayout layout = columnLayout(settings);
  layout.shown[1] = false;
  layout.shown[17] = true;
  layout.position[17] = 0;
  layout.position[0] = 1;
  layout.position[3] = 1;  // a tie keeps column order
  layout.width[5] = 80;
  storeColumnLayout(settings, layout);
  EXPECT_EQ(settings.number(Setting::ItemListColumnShown, 1), 0);
  EXPECT_EQ(settings.number(Setting::ItemListColumnWidth, 5), 80);
  EXPECT_EQ(shownColumnsInOrder(columnLayout(settings)), (std::vector<int>{17, 0, 3, 2, 4, 5, 6}));
}

TEST(ListColumns, HeadersAndSortKeys) {
  EXPECT_EQ(columnHeader(0), sjis("タイトル"));
  EXPECT_EQ(columnHeader(2, 1), sjis("機種/ジャンル"));
  EXPECT_EQ(columnHeader(2, 3), sjis("ジャンル/機種"));
  EXPECT_EQ(columnHeader(17), sjis("読み仮名"));
  EXPECT_STREQ(listColumns()[5].sortKey, "boot_count+0");
  EXPECT_STREQ(listColumns()[9].sortKey, "price+0");
}

TEST(ListColumns, CellTextsThatDifferFromTheStoredValue) {
  struct Case {
    const char* stored;
    const char* shown;
  };
  const Case years[] = {{"0", ""}, {"1990-05-00", "1990-05"}, {"1990-00-00", "1990"}, {"1993-12-10", "1993-12-10"}};
  for (const Case& c : years) EXPECT_EQ(saleYearText(c.stored), c.shown) << c.stored;
  EXPECT_EQ(lastBootText(""), "- -");
  EXPECT_EQ(lastBootText("2024-01-02 03:04:05"), "2024-01-02 03:04:05");
  EXPECT_EQ(adultexText(""), sjis("指定なし"));
  const auto machineFirst = machineGenreLines(sjis("ファミコン"), "", 1);
  EXPECT_EQ(machineFirst[0], sjis("ファミコン"));
  EXPECT_EQ(machineFirst[1], sjis("ジャンル指定なし"));
  const auto genreFirst = machineGenreLines("M", "G", 2);
  EXPECT_EQ(genreFirst[0], "G");
  EXPECT_EQ(genreFirst[1], "M");
  // The rows' other cells go through the same rules, by column.
  EXPECT_EQ(cellText(4, "1990-05-00"), "1990-05");
  EXPECT_EQ(cellText(6, ""), "- -");
  EXPECT_EQ(cellText(13, ""), sjis("指定なし"));
  EXPECT_EQ(cellText(0, "0"), "0");
  EXPECT_EQ(cellText(7, ""), "");
}

TEST(ListColumns, RatingStarsAndFavouriteMarksOfARow) {
  const std::pair<const char*, int> ratings[] = {{"0", 0}, {"10", 1}, {"30", 3}, {"50", 5}, {"55", 5},
                                                 {"99999999999", 5}, {"", 0}, {"abc", 0}, {"-10", 0}};
  for (const auto& [stored, stars] : ratings) EXPECT_EQ(filledStars(stored), stars) << stored;
  EXPECT_EQ(favouriteMarks("931"), (std::vector<int>{1, 3, 9}));
  EXPECT_EQ(favouriteMarks("0770"), (std::vector<int>{0, 7}));
  EXPECT_TRUE(favouriteMarks("").empty());
  EXPECT_TRUE(favouriteMarks("x-").empty());
}

// Positions come from the view's column table by name: every name finds its
// own place, and anything not exactly a name finds none.
TEST(ListViewColumns, LookupByNameFindsEachColumnAndNothingElse) {
  for (int c = 0; c < static_cast<int>(std::size(kViewColumnNames)); ++c) {
    EXPECT_EQ(viewColumn(kViewColumnNames[c]), c) << kViewColumnNames[c];
  }
  for (const char* stranger : {"", "file", "file_name ", "FILE_NAME", "list_view", "emuset_name_"}) {
    EXPECT_EQ(viewColumn(stranger), -1) << stranger;
  }
  static_assert(viewColumn("emuset_name") == 50 && viewColumn("nothing") == -1);
  // Column 2 draws machine and genre; every other column shows its own field.
  EXPECT_EQ(listColumns()[kMachineGenreColumn].viewColumn, kViewMachineName);
  for (int c = 0; c < kColumnCount; ++c) {
    if (c == kMachineGenreColumn) continue;
    EXPECT_EQ(listColumns()[c].viewColumn, viewColumn(listColumns()[c].field)) << c;
  }
}

}  // namespace
}  // namespace qm::search

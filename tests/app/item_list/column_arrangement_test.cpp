// The column header's popup and header drags: shown columns, their order as
// the settings keep it, and the reading sort switched from the popup.
#include "app/item_list/column_arrangement.h"

#include <gtest/gtest.h>

#include "app/settings/settings.h"
#include "tests/support/temp_folder.h"

namespace qm::search {
namespace {

ColumnLayout defaults() { return columnLayout(Settings()); }

TEST(ColumnArrangement, DraggedOrderAndShownColumnsSurviveARestart) {
  ColumnLayout layout = defaults();
  ASSERT_EQ(shownColumnsInOrder(layout), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  takeDisplayOrder(layout, {3, 0, 6, 1, 2, 4, 5});
  EXPECT_EQ(shownColumnsInOrder(layout), (std::vector<int>{3, 0, 6, 1, 2, 4, 5}));
  ASSERT_TRUE(toggleColumn(layout, 17));  // shown after the last one
  ASSERT_TRUE(toggleColumn(layout, 0));
  EXPECT_EQ(shownColumnsInOrder(layout), (std::vector<int>{3, 6, 1, 2, 4, 5, 17}));
  ASSERT_TRUE(toggleColumn(layout, 0));  // back, at the end this time
  EXPECT_EQ(shownColumnsInOrder(layout), (std::vector<int>{3, 6, 1, 2, 4, 5, 17, 0}));

  qm::test::TempFolder folder;
  const platform::IniFile ini(folder.file("Quillmoor2.ini"));
  Settings settings;
  storeColumnLayout(settings, layout);
  ASSERT_EQ(saveAtShutdown(settings, ini, false), SaveResult::Saved);
  EXPECT_EQ(ini.getString("ItemList", "clm_disp18", ""), "1");
  EXPECT_EQ(ini.getString("ItemList", "clm_disp08", ""), "0");
  EXPECT_EQ(ini.getString("ItemList", "clm_sort04", ""), "0");
  EXPECT_EQ(ini.getString("ItemList", "clm_sort01", ""), "8");
  Settings read;
  loadSettings(read, ini, ReadAt::Build);
  EXPECT_EQ(shownColumnsInOrder(columnLayout(read)), (std::vector<int>{3, 6, 1, 2, 4, 5, 17, 0}));
}

TEST(ColumnArrangement, EdgesOfHidingAndOrdering) {
  ColumnLayout layout = defaults();
  for (int c = 1; c <= 6; ++c) ASSERT_TRUE(toggleColumn(layout, c));
  EXPECT_FALSE(toggleColumn(layout, 0));  // the last shown column stays
  EXPECT_EQ(shownColumnsInOrder(layout), std::vector<int>{0});
  EXPECT_FALSE(toggleColumn(layout, -1));
  EXPECT_FALSE(toggleColumn(layout, kColumnCount));
  // Hidden or unknown columns in a display order are passed over.
  takeDisplayOrder(layout, {5, 99, 0});
  EXPECT_EQ(layout.position[0], 0);
  EXPECT_EQ(columnOfCommand(kShowColumnCommand), 0);
  EXPECT_EQ(columnOfCommand(kShowColumnCommand + 17), 17);
  EXPECT_EQ(columnOfCommand(kShowColumnCommand + 18), -1);
  EXPECT_EQ(columnOfCommand(kReadingSortCommand), -1);
}

// Switched from the popup, the reading sort applies to the list at once and
// is taken out again when switched off.
TEST(ColumnArrangement, ReadingSortSwitchedFromThePopup) {
  SortState sort;
  sort.apply(0, SortMode::Toggle, false);  // title descending: it was the primary column
  SortRequest request = readingSortRequest(sort);
  EXPECT_EQ(request.column, 0);
  EXPECT_EQ(request.mode, SortMode::Descending);
  sort.apply(request.column, request.mode, true);
  EXPECT_EQ(sort.orderByList().rfind("kana DESC, title DESC, ", 0), 0u) << sort.orderByList();
  request = readingSortRequest(sort);
  sort.apply(request.column, request.mode, false);
  EXPECT_EQ(sort.orderByList().rfind("title DESC, kana DESC, maker, ", 0), 0u) << sort.orderByList();

  sort.apply(kMachineGenreColumn, SortMode::Toggle, false);
  sort.apply(kMachineGenreColumn, SortMode::Toggle, false);
  sort.apply(kMachineGenreColumn, SortMode::Toggle, false);  // genre ascending
  request = readingSortRequest(sort);
  EXPECT_EQ(request.column, kSortAgain);
  sort.apply(request.column, request.mode, true);
  EXPECT_EQ(sort.direction(kMachineGenreColumn), kGenreAscending);
}

}  // namespace
}  // namespace qm::search

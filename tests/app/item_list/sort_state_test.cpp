// The sort state machine and the ORDER BY list it produces.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "app/item_list/sort_state.h"
#include "common/text/encoding.h"

namespace qm::search {
namespace {

constexpr const char* kDefaultList =
    "title, maker, machine_name, genre_name, rating, sale_year, boot_count+0, last_boot, developer, breed, "
    "price+0, media_detail, device, players, adultex_name, savedat_detail, sound_detail, play_time, kana ";

struct Click {
  int column;
  SortMode mode = SortMode::Toggle;
};

struct ClickCase {
  const char* what;
  bool readingSort;
  std::vector<Click> clicks;
  std::string listStart;  // the ORDER BY list begins with this
  int currentColumn;
  int currentDirection;
};

SortState after(const ClickCase& c) {
  SortState sort;
  for (const Click& click : c.clicks) sort.apply(click.column, click.mode, c.readingSort);
  return sort;
}

TEST(SortState, StartsAndResetsToTitleAscendingInColumnOrder) {
  SortState fresh;
  EXPECT_EQ(fresh.orderByList(), kDefaultList);
  SortState sorted;
  sorted.apply(3, SortMode::Toggle, false);
  sorted.apply(3, SortMode::Toggle, false);
  sorted.apply(kResetSort, SortMode::Toggle, false);
  EXPECT_EQ(sorted.orderByList(), kDefaultList);
  sorted.apply(5, SortMode::Descending, false);
  sorted.apply(42, SortMode::Toggle, false);  // out of range counts as a reset
  EXPECT_EQ(sorted.orderByList(), kDefaultList);
  EXPECT_EQ(sorted.currentColumn(), 0);
}

TEST(SortState, ClicksProduceTheirOrderByLists) {
  const ClickCase cases[] = {
      {"rating once", false, {{3}}, "rating, title, maker, machine_name, genre_name, sale_year, ", 3, 0},
      {"rating twice", false, {{3}, {3}}, "rating DESC, title, maker, ", 3, 1},
      {"rating three times", false, {{3}, {3}, {3}}, "rating, title, ", 3, 0},
      {"previous primary keeps its direction", false, {{3}, {3}, {5}}, "boot_count+0, rating DESC, title, ", 5, 0},
      {"a non-primary column starts ascending", false, {{1}, {1}, {3}, {1}}, "maker, rating, title, ", 1, 0},
      {"explicit descending", false, {{9, SortMode::Descending}}, "price+0 DESC, title, ", 9, 1},
      {"explicit ascending on the primary", false, {{4}, {4}, {4, SortMode::Ascending}}, "sale_year, title, ", 4, 0},
      {"sort again keeps everything", false, {{6}, {6}, {kSortAgain}}, "last_boot DESC, title, ", 6, 1},
      {"the last column clicked", false, {{17}}, "kana, title, maker, ", 17, 0},
      {"machine/genre 1", false, {{2}}, "machine_name, genre_name, title, ", 2, 0},
      {"machine/genre 2", false, {{2}, {2}}, "machine_name DESC, genre_name, title, ", 2, 1},
      {"machine/genre 3", false, {{2}, {2}, {2}}, "genre_name, machine_name, title, ", 2, 2},
      {"machine/genre 4", false, {{2}, {2}, {2}, {2}}, "genre_name DESC, machine_name, title, ", 2, 3},
      {"machine/genre 5", false, {{2}, {2}, {2}, {2}, {2}}, "machine_name, genre_name, title, ", 2, 0},
      {"machine/genre descending request", false, {{2, SortMode::Descending}}, "machine_name DESC, genre_name, ", 2, 1},
      // A fresh state has the title as its primary column: the first click toggles.
      {"reading: title", true, {{0}}, "kana DESC, title DESC, maker, ", 0, 1},
      {"reading: title twice", true, {{0}, {0}}, "kana, title, maker, ", 0, 0},
      {"reading: reading column", true, {{17, SortMode::Descending}}, "kana DESC, title DESC, maker, ", 17, 1},
      {"reading: title after reading toggles", true, {{17}, {0}}, "kana DESC, title DESC, maker, ", 0, 1},
      {"reading: another column first", true, {{3}}, "rating, kana, title, maker, ", 3, 0},
      {"reading: reset", true, {{3}, {kResetSort}}, "kana, title, maker, machine_name, ", 0, 0},
      {"reading off: title toggles alone", false, {{17}, {0}}, "title, kana, maker, ", 0, 0},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.what);
    const SortState sort = after(c);
    EXPECT_EQ(sort.orderByList().substr(0, c.listStart.size()), c.listStart) << sort.orderByList();
    EXPECT_EQ(sort.currentColumn(), c.currentColumn);
    EXPECT_EQ(sort.currentDirection(), c.currentDirection);
  }
}

TEST(SortState, EveryListNamesAllEighteenColumnsOnce) {
  SortState sort;
  for (int column : {3, 2, 2, 17, 0, 9, 9, 4}) {
    sort.apply(column, SortMode::Toggle, true);
    const std::string list = sort.orderByList();
    EXPECT_EQ(std::count(list.begin(), list.end(), ','), 18) << list;  // 17 separators + column 2's pair
    EXPECT_EQ(list.back(), ' ');
  }
}

TEST(SortState, KeepingTheStatementOrderLeavesTheStateAndHidesTheArrows) {
  SortState sort;
  sort.apply(3, SortMode::Descending, false);
  const std::string before = sort.orderByList();
  EXPECT_EQ(sort.apply(kKeepStatementOrder, SortMode::Toggle, false), kKeepStatementOrder);
  EXPECT_TRUE(sort.keepsStatementOrder());
  EXPECT_EQ(sort.orderByList(), before);
  EXPECT_EQ(sort.currentColumn(), 3);
  EXPECT_EQ(sort.headerMark(3, false).image, -1);
  sort.apply(kSortAgain, SortMode::Toggle, false);
  EXPECT_FALSE(sort.keepsStatementOrder());
  EXPECT_EQ(sort.headerMark(3, false).image, 1);
}

TEST(SortState, HeaderMarks) {
  const std::string machineGenre = text::sjis("機種/ジャンル"), genreMachine = text::sjis("ジャンル/機種");
  struct Mark {
    int column;
    int image;
    std::string label;
  };
  struct MarkCase {
    const char* what;
    bool readingSort;
    std::vector<Click> clicks;
    std::vector<Mark> marks;
  };
  const MarkCase cases[] = {
      {"fresh", false, {}, {{0, 0, text::sjis("タイトル")}, {1, 2, text::sjis("メーカー")}, {2, 2, machineGenre}}},
      {"rating descending", false, {{3}, {3}}, {{3, 1, text::sjis("評価")}, {0, 2, text::sjis("タイトル")}}},
      {"genre ascending", false, {{2}, {2}, {2}}, {{2, 0, genreMachine}}},
      {"genre descending, then another", false, {{2}, {2}, {2}, {2}, {5}}, {{2, 3, genreMachine}, {5, 0, text::sjis("起動回数")}}},
      {"reading couples both bright", true, {{0}}, {{0, 1, text::sjis("タイトル")}, {17, 1, text::sjis("読み仮名")}, {1, 2, text::sjis("メーカー")}}},
      {"reading, other primary", true, {{4}}, {{4, 0, text::sjis("発売日")}, {0, 2, text::sjis("タイトル")}, {17, 2, text::sjis("読み仮名")}}},
  };
  for (const MarkCase& c : cases) {
    SCOPED_TRACE(c.what);
    SortState sort;
    for (const Click& click : c.clicks) sort.apply(click.column, click.mode, c.readingSort);
    for (const Mark& m : c.marks) {
      const HeaderMark mark = sort.headerMark(m.column, c.readingSort);
      EXPECT_EQ(mark.image, m.image) << m.column;
      EXPECT_EQ(mark.label, m.label) << m.column;
    }
  }
}

}  // namespace
}  // namespace qm::search

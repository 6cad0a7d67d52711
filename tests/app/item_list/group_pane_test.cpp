// The group pane's queries, filter statements and texts.
#include <gtest/gtest.h>

#include <string>

#include "app/item_list/group_pane.h"
#include "common/text/encoding.h"

namespace qm::search {
namespace {

using text::sjis;

TEST(GroupPane, DistinctValueQueriesPerTab) {
  struct Case {
    GroupKind kind;
    const char* search;
    const char* query;
  };
  const Case cases[] = {
      {GroupKind::Maker, "", "SELECT DISTINCT maker FROM list_view ORDER BY maker ;"},
      {GroupKind::Genre, "", "SELECT DISTINCT genre_name FROM list_view ORDER BY genre_name ;"},
      {GroupKind::Adult, "", "SELECT DISTINCT adult FROM list_view ;"},
      {GroupKind::Machine, "", "SELECT DISTINCT machine_name FROM list_view ORDER BY machine_name ;"},
      {GroupKind::Rating, "", "SELECT DISTINCT rating FROM list_view ORDER BY rating ;"},
      {GroupKind::Maker, "SELECT * FROM list_view WHERE rating>20 ORDER BY title;",
       "SELECT DISTINCT maker FROM  list_view WHERE rating>20  ORDER BY maker "},
      {GroupKind::Adult, "SELECT * FROM list_view WHERE rating>20;",
       "SELECT DISTINCT adult FROM  list_view WHERE rating>20 "},
      {GroupKind::Machine, "SELECT * FROM list_view WHERE title='a ORDER b' LIMIT 10",
       "SELECT DISTINCT machine_name FROM  list_view WHERE title='a ORDER b'  ORDER BY machine_name "},
      {GroupKind::Genre, "SELECT 1", "SELECT DISTINCT genre_name FROM list_view ORDER BY genre_name ;"},
  };
  for (const Case& c : cases) EXPECT_EQ(groupQuery(c.kind, c.search), c.query) << c.search;
}

TEST(GroupPane, FilterStatementsPerItem) {
  struct Case {
    GroupKind kind;
    int item;
    std::string value;
    std::string statement;
  };
  const Case cases[] = {
      {GroupKind::Maker, 0, "x", "SELECT * FROM list_view ;"},
      {GroupKind::Maker, 3, "Let's", "SELECT * FROM list_view WHERE maker='Let''s' ;"},
      {GroupKind::Genre, 1, "", "SELECT * FROM list_view WHERE genre_name='' ;"},
      {GroupKind::Machine, 2, sjis("ファミコン"), sjis("SELECT * FROM list_view WHERE machine_name='ファミコン' ;")},
      {GroupKind::Adult, 1, "", "SELECT * FROM list_view WHERE adult=1 ;"},
      {GroupKind::Adult, 2, "", "SELECT * FROM list_view WHERE adult=0 ;"},
      {GroupKind::Rating, 1, "", "SELECT * FROM list_view WHERE rating=0;"},
      {GroupKind::Rating, 6, "", "SELECT * FROM list_view WHERE rating=50;"},
  };
  for (const Case& c : cases) EXPECT_EQ(groupFilterStatement(c.kind, c.item, c.value), c.statement) << c.item;
}

TEST(GroupPane, ItemsAndTheirTexts) {
  EXPECT_EQ(groupItemCount(GroupKind::Maker, 4), 5);
  EXPECT_EQ(groupItemCount(GroupKind::Adult, 1), 3);
  EXPECT_EQ(groupItemCount(GroupKind::Adult, 2), 3);
  EXPECT_EQ(groupItemCount(GroupKind::Rating, 2), 7);
  EXPECT_EQ(groupItemCount(GroupKind::Rating, 0), 0);
  EXPECT_EQ(groupItemCount(GroupKind::Genre, 0), 0);

  EXPECT_EQ(groupItemText(GroupKind::Maker, 0, "x"), sjis("<全て>"));
  EXPECT_EQ(groupItemText(GroupKind::Maker, 1, ""), sjis("指定なし"));
  EXPECT_EQ(groupItemText(GroupKind::Maker, 2, "Acme"), "Acme");
  EXPECT_EQ(groupItemText(GroupKind::Adult, 1, "0"), sjis("あり"));
  EXPECT_EQ(groupItemText(GroupKind::Adult, 2, "1"), sjis("なし"));
  EXPECT_EQ(ratingStars(1), 0);
  EXPECT_EQ(ratingStars(6), 5);
}

// Ctrl+PageDown and Ctrl+PageUp walk the tabs in their order, wrapping both ways.
TEST(GroupPane, TabsInOrderAndWrappingBothWays) {
  const char* labels[] = {"メーカー", "ジャンル", "R指定", "機種", "評価"};
  for (int k = 0; k < kGroupKindCount; ++k) {
    const auto kind = static_cast<GroupKind>(k);
    EXPECT_EQ(groupTabLabel(kind), sjis(labels[k]));
    EXPECT_EQ(static_cast<int>(nextGroupKind(kind)), (k + 1) % kGroupKindCount);
    EXPECT_EQ(static_cast<int>(previousGroupKind(kind)), (k + kGroupKindCount - 1) % kGroupKindCount);
    EXPECT_EQ(previousGroupKind(nextGroupKind(kind)), kind);
  }
}

TEST(GroupPane, StatusBarCounts) {
  EXPECT_EQ(titleCountText(1234), sjis(" 全タイトル数: 1234 件"));
  EXPECT_EQ(hitCountText(0), sjis(" 検索件数: 0 件"));
}

}  // namespace
}  // namespace qm::search

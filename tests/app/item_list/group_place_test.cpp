// The group pane's place per kind across refills and tab switches, and where
// the list's cursor goes after a refill.
#include "app/item_list/group_place.h"

#include <gtest/gtest.h>

#include "app/item_list/list_position.h"

namespace qm::search {
namespace {

using Values = std::vector<std::string>;

TEST(GroupPlaces, EachKindKeepsItsOwnPlaceUntilForgotten) {
  GroupPlaces places;
  for (int k = 0; k < kGroupKindCount; ++k) EXPECT_EQ(places.of(static_cast<GroupKind>(k)).selected, -1);
  places.remember(GroupKind::Maker, {2, 1, "B"});
  places.remember(GroupKind::Rating, {4, 3, ""});
  const Values makers{"A", "B", "C"};
  EXPECT_EQ(places.restore(GroupKind::Maker, makers).selected, 2);
  EXPECT_EQ(places.restore(GroupKind::Maker, makers).top, 1);
  EXPECT_EQ(places.restore(GroupKind::Genre, makers).selected, -1);
  EXPECT_EQ(places.restore(GroupKind::Rating, {"0"}).selected, 4);
  places.forgetAll();
  EXPECT_EQ(places.restore(GroupKind::Maker, makers).selected, -1);
  EXPECT_EQ(places.restore(GroupKind::Maker, makers).top, 0);
}

// Item 0 is "<全て>", item i + 1 shows values[i].
TEST(GroupPlaces, TheSelectionFollowsItsValue) {
  struct Case {
    const char* name;
    GroupKind kind;
    int keptSelected;
    int keptTop;
    const char* keptValue;
    Values now;
    int selected;
    int top;
  };
  const Case cases[] = {
      {"same values", GroupKind::Maker, 2, 0, "B", {"A", "B"}, 2, 0},
      {"all stays all", GroupKind::Genre, 0, 0, "", {"X"}, 0, 0},
      {"a value added before it", GroupKind::Maker, 2, 0, "B", {"A", "AA", "B"}, 3, 0},
      {"a value removed before it", GroupKind::Machine, 3, 0, "C", {"B", "C"}, 2, 0},
      {"its value gone", GroupKind::Maker, 2, 0, "B", {"A", "C"}, -1, 0},
      {"past the end, value still there", GroupKind::Maker, 5, 0, "B", {"B"}, 1, 0},
      {"an empty value (指定なし)", GroupKind::Genre, 1, 0, "", {"", "X"}, 1, 0},
      {"top kept inside the pane", GroupKind::Maker, 1, 9, "A", {"A", "B"}, 1, 2},
      {"an empty pane has no place", GroupKind::Maker, 1, 3, "A", {}, -1, 0},
      {"R指定 items are fixed", GroupKind::Adult, 2, 1, "", {""}, 2, 1},
      {"評価 items are fixed", GroupKind::Rating, 6, 4, "", {"10"}, 6, 4},
      {"評価 past its seven items", GroupKind::Rating, 7, 0, "", {"10"}, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GroupPlaces places;
    places.remember(c.kind, {c.keptSelected, c.keptTop, c.keptValue});
    const GroupPlace place = places.restore(c.kind, c.now);
    EXPECT_EQ(place.selected, c.selected);
    EXPECT_EQ(place.top, c.top);
    if (c.selected > 0 && c.kind != GroupKind::Adult && c.kind != GroupKind::Rating) {
      EXPECT_EQ(place.value, c.now[c.selected - 1]);
    }
  }
}

TEST(ListPlacement, AfterARefill) {
  struct Case {
    const char* name;
    int rows;
    bool haveKey;
    int found;
    int keptTop;
    ListPlacement expected;
  };
  const Case cases[] = {
      {"empty list", 0, true, -1, 5, {-1, -1, false}},
      {"no key: first item at the top", 300, false, -1, 40, {0, 0, true}},
      {"restored at start: into view, no top", 300, true, 250, -1, {250, -1, true}},
      {"group click keeps the top row", 300, true, 120, 100, {120, 100, true}},
      {"top past a shorter list", 50, true, 10, 100, {10, 49, true}},
      {"key gone: first item, no scrolling", 300, true, -1, 100, {0, -1, false}},
      {"found past the rows counts as gone", 3, true, 3, 0, {0, -1, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ListPlacement place = placeAfterRefill(c.rows, c.haveKey, c.found, c.keptTop);
    EXPECT_EQ(place.item, c.expected.item);
    EXPECT_EQ(place.top, c.expected.top);
    EXPECT_EQ(place.scroll, c.expected.scroll);
  }
}

}  // namespace
}  // namespace qm::search

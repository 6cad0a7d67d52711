// The group pane's place per group kind: the selected item and the first
// visible item. The pane is emptied and filled again after every command,
// master edit, drop and tab switch; its place comes back afterwards, so the
// pane keeps showing the group the list is filtered by.
//
// The window code calls remember() with the pane's selection, top item and
// the selected item's value before it empties the pane, forgetAll() when the
// list starts afresh (start-up, a new search), and restore() once the pane
// holds the kind's values again.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/item_list/group_pane.h"

namespace qm::search {

struct GroupPlace {
  int selected = -1;  // pane item, -1 for none
  int top = 0;        // first visible pane item
  std::string value;  // the selected item's value (program text) when it is one of the group's values
};

class GroupPlaces {
public:
  const GroupPlace& of(GroupKind kind) const { return places_[index(kind)]; }
  void remember(GroupKind kind, GroupPlace place) { places_[index(kind)] = std::move(place); }
  void forgetAll() { places_ = {}; }

  // The place for the pane refilled with `values` (item i + 1 shows values[i]):
  // the remembered item while it shows the same value, else the item that
  // shows that value now, else none; the top item stays within the pane.
  GroupPlace restore(GroupKind kind, const std::vector<std::string>& values) const;

private:
  static std::size_t index(GroupKind kind) { return static_cast<std::size_t>(kind); }
  std::array<GroupPlace, kGroupKindCount> places_{};
};

}  // namespace qm::search

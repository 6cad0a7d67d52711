#include "app/item_list/group_place.h"

#include <algorithm>

namespace qm::search {
namespace {

// R指定 and 評価 list fixed items whatever the values are.
bool hasFixedItems(GroupKind kind) { return kind == GroupKind::Adult || kind == GroupKind::Rating; }

int followedItem(GroupKind kind, const GroupPlace& kept, const std::vector<std::string>& values, int count) {
  if (kept.selected < 0 || kept.selected >= count) {
    if (hasFixedItems(kind) || kept.selected <= 0) return -1;
  } else if (kept.selected == 0 || hasFixedItems(kind) || values[kept.selected - 1] == kept.value) {
    return kept.selected;
  }
  // The group's values moved (one was added or removed before it): follow the value.
  const auto found = std::find(values.begin(), values.end(), kept.value);
  return found == values.end() ? -1 : static_cast<int>(found - values.begin()) + 1;
}

}  // namespace

GroupPlace GroupPlaces::restore(GroupKind kind, const std::vector<std::string>& values) const {
  const GroupPlace& kept = of(kind);
  const int count = groupItemCount(kind, static_cast<int>(values.size()));
  GroupPlace place;
  if (count == 0) return place;
  place.selected = followedItem(kind, kept, values, count);
  if (place.selected > 0 && !hasFixedItems(kind)) place.value = values[place.selected - 1];
  place.top = std::clamp(kept.top, 0, count - 1);
  return place;
}

}  // namespace qm::search

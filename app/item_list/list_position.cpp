#include "app/item_list/list_position.h"

#include <algorithm>

namespace qm::search {

ListPlacement placeAfterRefill(int rows, bool haveKey, int found, int keptTop) {
  if (rows <= 0) return {-1, -1, false};
  if (!haveKey) return {0, 0, true};
  // The item has left the list (a group click, an edit): the first one takes
  // the cursor where the list stands.
  if (found < 0 || found >= rows) return {0, -1, false};
  return {found, keptTop < 0 ? -1 : std::min(keptTop, rows - 1), true};
}

}  // namespace qm::search

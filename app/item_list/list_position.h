// Where the item list's cursor and first visible row go after the list was
// filled again (a sort, a group click, a command, the start).
#pragma once

namespace qm::search {

struct ListPlacement {
  int item = -1;       // the item selected and focused; -1 for an empty list
  int top = -1;        // first visible row to bring back before that, -1 for none
  bool scroll = true;  // make `item` visible
};

// `found` is the item that holds the key the cursor was on (-1: gone);
// `keptTop` the first visible row before the refill, or -1 to keep none.
// Without a key the list starts at its first item.
ListPlacement placeAfterRefill(int rows, bool haveKey, int found, int keptTop);

}  // namespace qm::search

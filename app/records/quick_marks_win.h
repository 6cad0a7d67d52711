// The quick marks of the item list: the adult mark of the selected items
// (command 1130) and the rating of a row clicked on its stars. Both change
// the shown rows in place, once the library took the change.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm::search {
class ItemList;
}

namespace qm::records {

struct ShownList {
  HWND owner = nullptr;
  HWND list = nullptr;  // the item list's list view
  search::ItemList* items = nullptr;
  std::string dbPath;
};

// Sets the adult mark of every selected item when the first is unmarked,
// else clears it for all.
void toggleAdultOfSelected(const ShownList& shown);

// A left click at `at` (list client coordinates): when it is on an item's
// rating column (`columns` maps list-view columns to the column table),
// stores the rating under the click. True when the click was taken.
bool rateAtClick(const ShownList& shown, const std::vector<int>& columns, POINT at);

}  // namespace qm::records

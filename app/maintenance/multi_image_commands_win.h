// The item list's set commands: dissolving the first selected item's set,
// removing the selected items, and joining dropped items onto a target.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/maintenance/multi_image.h"

namespace qm::maintenance {

// Each is true when the library was written to: the caller fills its list
// again (after a dissolve with the cursor on the first item's set, after a
// removal from the top). Nothing selected does nothing.
bool dissolveSelectedSet(HWND owner, const std::string& dbPath, const std::vector<SetItem>& selected);
bool removeSelectedItems(HWND owner, const std::string& dbPath, const std::vector<SetItem>& selected);
// True when the library was written to: the list is then filled again with
// the cursor on the target.
bool joinDroppedItems(HWND owner, const std::string& dbPath, const SetItem& target,
                      const std::vector<SetItem>& dropped);

}  // namespace qm::maintenance

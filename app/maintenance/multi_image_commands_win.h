// The item list's set commands: dissolving the first selected item's set,
// removing the selected items, and joining dropped items onto a target.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/maintenance/multi_image.h"
#include "app/shell/commands_win.h"

namespace qm::maintenance {

void dissolveSelectedSet(shell::CommandContext& context);
void removeSelectedItems(shell::CommandContext& context);
// True when the library was written to: the list is then filled again with
// the cursor on the target.
bool joinDroppedItems(HWND owner, const std::string& dbPath, const SetItem& target,
                      const std::vector<SetItem>& dropped);

}  // namespace qm::maintenance

// The menus as they open: enable and check states for the first selected
// item, the favourite groups' names and the tool bar lock; and the context
// menus of the item list, its column header and the query view.
#pragma once

#include <windows.h>

#include "app/settings/settings.h"
#include "app/shell/menu_builder_win.h"
#include "app/shell/menu_state.h"

namespace qm::shell {

// `menu` is the popup about to open; items that are not in it are passed over.
void refreshMenuStates(HMENU menu, const FirstSelected* first, const Settings& settings);

struct ContextPanes {
  HWND itemList = nullptr;
  HWND queryTree = nullptr;
};

// For WM_CONTEXTMENU from `from` (a pane or the list's header); false when no
// popup belongs to it. `position` is in screen coordinates, or -1 from the
// keyboard, which places the popup at the focused item.
bool showContextMenu(HWND owner, HWND from, LPARAM position, const ContextPanes& panes, const MainMenus& menus);

}  // namespace qm::shell

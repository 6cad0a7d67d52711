#include "app/shell/menu_state_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/menus/menu_table.h"

namespace qm::shell {

void refreshMenuStates(HMENU menu, const FirstSelected* first, const Settings& settings) {
  for (const ItemState& state : editMenuStates(first)) {
    EnableMenuItem(menu, state.id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, state.id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
  for (int slot = 0; slot < 10; ++slot) {
    std::string label = favouriteLabel(slot, settings.text(Setting::FavoriteMenuName, slot));
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = label.data();
    SetMenuItemInfoA(menu, menu::kFavourite0 + slot, FALSE, &info);
  }
  CheckMenuItem(menu, menu::kFixToolbar,
                MF_BYCOMMAND | (settings.number(Setting::CoolBarFix) == 1 ? MF_CHECKED : MF_UNCHECKED));
}

bool showContextMenu(HWND owner, HWND from, LPARAM position, const ContextPanes& panes, const MainMenus& menus) {
  HWND header = panes.itemList ? ListView_GetHeader(panes.itemList) : nullptr;
  POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  const bool keyboard = position == -1;
  HMENU popup = nullptr;
  if (from == panes.itemList || (header && from == header)) {
    RECT headerRect{};
    if (header) GetWindowRect(header, &headerRect);
    const bool onHeader = !keyboard && (from == header || PtInRect(&headerRect, at));
    popup = onHeader ? menus.columnHeader.get() : menus.copyOf(menu::BarMenu::Edit);
    if (keyboard) {
      RECT item{};
      const int focused = ListView_GetNextItem(panes.itemList, -1, LVNI_FOCUSED);
      if (focused < 0 || !ListView_GetItemRect(panes.itemList, focused, &item, LVIR_LABEL)) GetClientRect(panes.itemList, &item);
      at = {item.left, item.bottom};
      ClientToScreen(panes.itemList, &at);
    }
  } else if (from == panes.queryTree) {
    popup = menus.queryView.get();
    if (keyboard) {
      RECT area{};
      GetWindowRect(panes.queryTree, &area);
      at = {area.left, area.top};
    }
  }
  if (!popup) return false;
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  return true;
}

}  // namespace qm::shell

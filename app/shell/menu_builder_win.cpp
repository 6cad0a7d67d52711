#include "app/shell/menu_builder_win.h"

#include <utility>

namespace qm::shell {
namespace {

using menu::MenuId;
using menu::MenuRow;
using menu::RowKind;
using Rows = std::vector<MenuRow>;

bool fillMenu(HMENU target, const Rows& rows, std::optional<std::size_t> parent);

// Items go in at position 0, last item first, so the menu ends up in table order.
bool insertRow(HMENU target, const Rows& rows, std::size_t index) {
  const MenuRow& row = rows[index];
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
  info.fType = MFT_SEPARATOR;
  info.fState = menu::rowAvailable(row) ? MFS_ENABLED : MFS_GRAYED;
  info.wID = row.id;
  if (row.kind != RowKind::Separator) {
    info.fMask |= MIIM_STRING;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<char*>(row.label.c_str());
  }
  MenuHandle submenu;
  if (row.kind == RowKind::Submenu) {
    submenu = MenuHandle(CreatePopupMenu());
    if (!submenu || !fillMenu(submenu.get(), rows, index)) return false;
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = submenu.get();
  }
  if (!InsertMenuItemA(target, 0, TRUE, &info)) return false;
  submenu.release();  // the target owns it now
  return true;
}

bool fillMenu(HMENU target, const Rows& rows, std::optional<std::size_t> parent) {
  const std::vector<std::size_t> children = menu::childrenOf(rows, parent);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!insertRow(target, rows, *it)) return false;
  }
  return true;
}

MenuHandle buildPopup(MenuId id, std::optional<std::size_t> parent = std::nullopt) {
  MenuHandle popup(CreatePopupMenu());
  if (!popup || !fillMenu(popup.get(), menu::menuRows(id), parent)) return {};
  return popup;
}

}  // namespace

MenuHandle::~MenuHandle() {
  if (menu_) DestroyMenu(menu_);
}

MenuHandle& MenuHandle::operator=(MenuHandle&& other) noexcept {
  if (this != &other) {
    if (menu_) DestroyMenu(menu_);
    menu_ = other.release();
  }
  return *this;
}

HMENU MenuHandle::release() { return std::exchange(menu_, nullptr); }

std::optional<MainMenus> buildMainMenus() {
  MainMenus menus;
  menus.bar = MenuHandle(CreateMenu());
  if (!menus.bar || !fillMenu(menus.bar.get(), menu::menuRows(MenuId::Bar), std::nullopt)) return std::nullopt;

  const std::vector<std::size_t> barMenus = menu::childrenOf(menu::menuRows(MenuId::Bar), std::nullopt);
  if (barMenus.size() != menus.barCopies.size()) return std::nullopt;
  for (std::size_t i = 0; i < barMenus.size(); ++i) {
    menus.barCopies[i] = buildPopup(MenuId::Bar, barMenus[i]);
    if (!menus.barCopies[i]) return std::nullopt;
  }
  menus.queryView = buildPopup(MenuId::QueryView);
  menus.columnHeader = buildPopup(MenuId::ColumnHeader);
  menus.snapshotView = buildPopup(MenuId::SnapshotView);
  menus.informationView = buildPopup(MenuId::InformationView);
  if (!menus.queryView || !menus.columnHeader || !menus.snapshotView || !menus.informationView) return std::nullopt;
  return menus;
}

}  // namespace qm::shell

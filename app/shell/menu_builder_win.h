// The main window's menus, built once at start-up from the menu table: the
// menu bar, a context copy of each of its seven menus (the item list shows the
// copy of "編集"), and the popups of the query view, the column header, the
// snapshot view and the information view. Commands whose feature is not built
// are greyed.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "app/menus/menu_table.h"

namespace qm::shell {

// Owns a menu until release(); a menu set on a window with SetMenu belongs to
// the window, which destroys it with itself.
class MenuHandle {
public:
  MenuHandle() = default;
  explicit MenuHandle(HMENU menu) : menu_(menu) {}
  ~MenuHandle();
  MenuHandle(MenuHandle&& other) noexcept : menu_(other.release()) {}
  MenuHandle& operator=(MenuHandle&& other) noexcept;
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;

  HMENU get() const { return menu_; }
  HMENU release();
  explicit operator bool() const { return menu_ != nullptr; }

private:
  HMENU menu_ = nullptr;
};

struct MainMenus {
  MenuHandle bar;
  std::array<MenuHandle, menu::kBarMenuCount> barCopies;  // by menu::BarMenu
  MenuHandle queryView;
  MenuHandle columnHeader;
  MenuHandle snapshotView;
  MenuHandle informationView;  // empty: the web search sites are added at run time

  HMENU copyOf(menu::BarMenu which) const { return barCopies[static_cast<std::size_t>(which)].get(); }
};

// Nothing when Windows refused a menu (out of handles).
std::optional<MainMenus> buildMainMenus();

}  // namespace qm::shell

// Menu commands of the main window, one table from command identifier to the
// function that carries it out. A feature adds its rows here (and joins the
// built features of menu_table.cpp) in the change that builds it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/maintenance/multi_image.h"

namespace qm {
class Settings;
}
namespace qm::master {
class IconLists;
}
namespace qm::search {
class ItemList;
class MigemoSource;
}

namespace qm::shell {

struct AppContext;

// What a command may use of the main window.
struct CommandContext {
  HWND owner = nullptr;
  AppContext* app = nullptr;
  // Re-creates list_view and refills the list, keeping the current item.
  std::function<void()> refreshItemList;
  // file_name of the item list's current item ("" when none).
  std::function<std::string()> currentItem;
  // The selected items in list order.
  std::function<std::vector<maintenance::SetItem>()> selectedItems;
  // As refreshItemList, with the cursor put on `key` (the first item for "").
  std::function<void(const std::string& key)> refreshItemListAt;
  // Shows the item list and the group pane empty, for a run that dropped list_view.
  std::function<void()> emptyItemList;
  // The main window's settings in use (written at exit).
  Settings* settings = nullptr;
  // The master tables' icon lists, rebuilt by the management dialog.
  master::IconLists* masterIcons = nullptr;
  // Back to the first sort: title ascending, every column ascending.
  std::function<void()> resetSort;
  // The item list, for the commands that change its shown rows in place.
  HWND itemList = nullptr;
  search::ItemList* items = nullptr;
  // The Migemo library of the field suggestions (may be null).
  search::MigemoSource* migemo = nullptr;
};

// True when `id` is a command of the table (and it ran).
bool runCommand(int id, CommandContext& context);

}  // namespace qm::shell

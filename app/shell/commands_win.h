// Menu commands of the main window, one table from command identifier to the
// function that carries it out. A feature adds its rows here (and joins the
// built features of menu_table.cpp) in the change that builds it. Each command
// is a plain function of one context, which the window fills once when it is
// made.
#pragma once

#include <windows.h>

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

// What a command asks of the window that shows the item list.
class ItemListHost {
public:
  // Re-creates list_view and refills the list, keeping the current item.
  virtual void refreshItemList() = 0;
  // As refreshItemList, with the cursor put on `key` (the first item for "").
  virtual void refreshItemListAt(const std::string& key) = 0;
  // file_name of the item list's current item ("" when none).
  virtual std::string currentItem() const = 0;
  // The selected items in list order.
  virtual std::vector<maintenance::SetItem> selectedItems() const = 0;
  // Shows the item list and the group pane empty, for a run that dropped list_view.
  virtual void emptyItemList() = 0;
  // Back to the first sort: title ascending, every column ascending.
  virtual void resetSort() = 0;
  // The list's rows, for the commands that change its shown rows in place
  // (null until the library is open).
  virtual search::ItemList* items() = 0;

protected:
  ~ItemListHost() = default;
};

// What a command may use of the main window: pointers to its parts.
struct CommandContext {
  HWND owner = nullptr;
  AppContext* app = nullptr;
  ItemListHost* list = nullptr;
  // The main window's settings in use (written at exit).
  Settings* settings = nullptr;
  // The master tables' icon lists, rebuilt by the management dialog.
  master::IconLists* masterIcons = nullptr;
  // The item list's window.
  HWND itemList = nullptr;
  // The Migemo library of the field suggestions (may be null).
  search::MigemoSource* migemo = nullptr;
};

// True when `id` is a command of the table (and it ran).
bool runCommand(int id, CommandContext& context);

}  // namespace qm::shell

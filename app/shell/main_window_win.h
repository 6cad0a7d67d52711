// The main window: group pane and saved queries on the left, the item list and
// the information view on the right, the status bar below. It owns the two
// long-lived connections the list and the group pane read from.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include <memory>
#include <optional>

#include "app/info_view/info_view_win.h"
#include "app/item_list/group_pane.h"
#include "app/item_list/group_place.h"
#include "app/item_list/item_list.h"
#include "app/item_list/item_list_painter_win.h"
#include "app/launch/launch_controller_win.h"
#include "app/maintenance/multi_image.h"
#include "app/masters/master_icons_win.h"
#include "app/search/list_search_win.h"
#include "app/search/migemo_library.h"
#include "app/search/query_tree_win.h"
#include "app/search/search_bar_win.h"
#include "app/search/search_texts_reader.h"
#include "app/settings/settings.h"
#include "app/shell/busy_window_win.h"
#include "app/shell/commands_win.h"
#include "app/shell/emulator_extras_win.h"
#include "app/shell/main_rebar_win.h"
#include "app/shell/menu_builder_win.h"
#include "app/shell/pane_layout.h"
#include "app/shell/status_bar.h"
#include "app/snapshots/snapshot_view_win.h"
#include "app/ui/ui_bitmaps_win.h"
#include "common/db/db_connection.h"
#include "common/db/statement_check.h"
#include "common/platform/message_sink.h"

namespace qm::shell {

struct AppContext {
  HINSTANCE instance = nullptr;
  std::string programFolder;
  std::string settingsPath;
  std::string dbPath;
  bool rebuildMaster = false;
  bool upgradeDeclined = false;
  bool databaseReady = false;
};

class MainWindow : private ItemListHost {
public:
  explicit MainWindow(AppContext& app) : app_(app) {}
  static bool registerClasses(HINSTANCE instance);
  // Creates the window; false when start-up ended (the database was not made
  // ready), in which case the window is already gone.
  bool create();
  HWND hwnd() const { return hwnd_; }

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool onCreate();
  void createPanes();
  void layout();
  void createSearchBar();
  void showSearchResult(const std::string& key, const std::string& time, const std::string& note);
  PaneRect paneArea() const;
  bool onSplitterMouse(UINT message, LPARAM lParam);
  void saveSplits();
  void onFirstPaint();
  void startShortcuts();
  void onDestroy();
  LRESULT onNotify(NMHDR* header);

  void insertColumns();
  search::ColumnLayout currentColumnLayout() const;
  void addColumnItems(HMENU headerPopup);
  void checkColumnItems(HMENU headerPopup);
  bool onColumnCommand(int command);
  void drawHeaders();
  void sortList(int column, search::SortMode mode);
  // `keptTop`: the first visible row to bring back, or -1 (see list_position.h).
  void showList(const std::string& keepKey, int keptTop);
  void placeListRows(int rows, const std::string& keepKey, int keptTop);
  int topRow() const;
  enum class GroupRefresh { KeepPlaces, ForgetPlaces };
  void refreshGroupPane(GroupRefresh refresh = GroupRefresh::KeepPlaces);
  void rememberGroupPlace();
  void switchGroupKind(search::GroupKind kind);
  void drawGroupItem(const DRAWITEMSTRUCT& draw);
  void endStartupBusy();
  void selectGroupItem(int index);
  std::string groupValue(int item) const;
  void showCurrentItem();
  std::string currentKey() const;
  void setStatus(int part, const std::string& text);
  void loadLamps(const std::string& path);
  void showScrollLock();
  maintenance::SetItem setItemAt(int item) const;
  void refreshListAt(const std::string& key);
  void bindCommands();

  // What the commands ask of the list.
  void refreshItemList() override { refreshListAt(currentKey()); }
  void refreshItemListAt(const std::string& key) override { refreshListAt(key); }
  std::string currentItem() const override { return currentKey(); }
  std::vector<maintenance::SetItem> selectedItems() const override;
  void emptyItemList() override;
  void resetSort() override { sortList(search::kResetSort, search::SortMode::Toggle); }
  search::ItemList* items() override { return items_.get(); }
  void refreshMenu(HMENU menu);
  void dropItems(LPARAM position);
  void saveSettings();
  void openSnapshotView();

  AppContext& app_;
  HWND hwnd_ = nullptr;
  HWND tab_ = nullptr;
  HWND groupList_ = nullptr;
  HWND queryTree_ = nullptr;
  HWND itemList_ = nullptr;
  HWND info_ = nullptr;
  HWND status_ = nullptr;
  ui::OwnedFont font_;
  MainRebar rebar_;
  search::SearchBar searchBar_;
  search::QueryTree queries_;
  search::MigemoLibrary migemo_;
  search::ListSearchWindow listSearch_;
  BusyWindow busy_;
  ItemListPainter painter_;
  InformationView infoView_;
  snapshots::SnapshotView snapView_;
  UiBitmaps bitmaps_;
  ui::OwnedImageList headerArrows_;  // column.bmp: up, down, dim up, dim down
  ScrollLockIndicator scrollLock_;
  ui::OwnedIcon lamps_[2];  // Scroll Lock off, on (none when the bitmap is missing)
  bool firstPaintDone_ = false;
  bool startupBusy_ = false;  // the wait after the first fill is running
  int countedView_ = -1;  // the item list's view generation the title count is of
  bool dragging_ = false;  // items of the list are being dragged
  std::chrono::steady_clock::time_point databaseReadyAt_;

  Settings settings_;
  std::optional<MainMenus> menus_;
  CommandContext commands_;
  std::unique_ptr<platform::MessageSink> sink_;
  db::DbConnection listDb_;
  db::DbConnection groupDb_;
  db::StatementChecker checker_;
  std::unique_ptr<search::ItemList> items_;
  std::unique_ptr<search::SearchTextsReader> textsReader_;
  std::unique_ptr<launch::LaunchController> launcher_;
  std::unique_ptr<EmulatorExtras> extras_;  // key script, joystick, snapshots
  master::IconLists masterIcons_;
  std::vector<int> shownColumns_;  // list view column -> column of the column table
  search::GroupKind groupKind_ = search::GroupKind::Maker;
  std::vector<std::string> groupValues_;  // the group statement's values, group pane item i + 1
  bool groupPaneFilled_ = false;          // the pane shows groupKind_'s items
  search::GroupPlaces groupPlaces_;
  PaneSplits splits_;
  Splitter splitterDrag_ = Splitter::None;
};

}  // namespace qm::shell

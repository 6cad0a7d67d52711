// The main window: group pane and saved queries on the left, the item list and
// the information view on the right, the status bar below. It owns the two
// long-lived connections the list and the group pane read from.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/shell/busy_window_win.h"
#include "common/db/db_connection.h"

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

class MainWindow {
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
  void onFirstPaint();
  void onDestroy();
  LRESULT onNotify(NMHDR* header);

  void fillItemList();
  void refreshGroupPane();
  void selectGroupItem(int index);
  void showCurrentItem();
  void setStatus(int part, const std::string& text);
  void reportError(const std::string& message, const std::string& detail, const char* caption);

  AppContext& app_;
  HWND hwnd_ = nullptr;
  HWND tab_ = nullptr;
  HWND groupList_ = nullptr;
  HWND queryTree_ = nullptr;
  HWND itemList_ = nullptr;
  HWND info_ = nullptr;
  HWND status_ = nullptr;
  HFONT font_ = nullptr;
  BusyWindow busy_;
  bool firstPaintDone_ = false;
  int separateX_ = 170;
  int separateY_ = 260;

  db::DbConnection listDb_;
  db::DbConnection groupDb_;
  std::vector<int> shownColumns_;  // list column -> index into the column table
  int groupKind_ = 0;
  std::string groupStatement_;
};

}  // namespace qm::shell

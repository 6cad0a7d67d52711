#include "app/shell/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "app/item_list/column_arrangement.h"
#include "app/item_list/list_columns.h"
#include "app/item_list/list_position.h"
#include "app/item_list/list_view_sql.h"
#include "app/keys/keyboard_hook_win.h"
#include "app/library/database_startup.h"
#include "app/maintenance/multi_image_commands_win.h"
#include "app/masters/master_tables.h"
#include "app/menus/menu_table.h"
#include "app/records/quick_marks_win.h"
#include "app/search/last_query.h"
#include "app/search/view_statement_check.h"
#include "app/shell/commands_win.h"
#include "app/shell/menu_dump_win.h"
#include "app/shell/menu_state_win.h"
#include "app/shell/web_menu_win.h"
#include "app/shell/window_placement.h"
#include "app/ui/html_help_win.h"
#include "app/ui/redraw_pause_win.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/platform/ini_encoding.h"
#include "common/text/encoding.h"
#include "common/text/reading_settings.h"

namespace qm::shell {
namespace {

using text::sjis;

constexpr const char* kMainClass = "NORMAL0";
constexpr const char* kDialogClass = "NORMALDLG";
constexpr int kTreeId = 1000;
constexpr int kItemListId = 1001;
constexpr int kInfoId = 1002;
constexpr int kGroupListId = 1003;
constexpr int kTabId = 1005;
constexpr int kStatusId = 1006;
constexpr int kTabHeight = 46;
constexpr UINT kFirstPaintDone = WM_APP;
constexpr UINT kCountTitles = WM_APP + 1;
constexpr UINT kTextsRead = WM_APP + 2;
constexpr UINT_PTR kScrollLockTimer = 1;
// Ends the busy mode of start-up: the filled list shows behind the busy
// window for a moment before the window takes input.
constexpr UINT_PTR kBusyEndTimer = 3;
constexpr UINT kBusyEndDelayMs = 2000;
// list_view positions read by the set operations and when a menu opens.
constexpr int kViewPly = search::viewColumn("ply");
constexpr int kViewEmusetName = search::viewColumn("emuset_name");
static_assert(kViewPly >= 0 && kViewEmusetName >= 0);
using search::kViewAlterEgo;
using search::kViewFave;
// Page cache of the list and group connections, in KiB: at most 128 MiB, which
// holds a library of 100,000 items and keeps the list's sort in memory. Pages
// are only taken as statements read them.
constexpr const char* kListCache = "PRAGMA cache_size=-131072;";

HWND child(HWND parent, const char* cls, DWORD style, int id, DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

// A WM_COMMAND that carries a command: from the menu (code 0), a shortcut key
// (code 1) or a tool bar button. A control's notification whose id happens to
// equal a command's (an edit's change, a list's selection) must not start a
// launch or step a mode.
bool isCommand(WPARAM wParam, LPARAM lParam, HWND toolBar) {
  if (lParam == 0) return HIWORD(wParam) <= 1;
  return toolBar && reinterpret_cast<HWND>(lParam) == toolBar && HIWORD(wParam) == BN_CLICKED;
}

platform::IniFile settingsFile(const AppContext& app) { return platform::IniFile(app.settingsPath); }

// With QM_TIMINGS=file set (the window benchmark, bench/main-window.sh),
// start-up figures are appended to that file as "name=milliseconds" lines.
// The program has no other use for them, so nothing happens without it.
std::string timingsFile() {
  char path[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA("QM_TIMINGS", path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path) : std::string();
}

void appendTiming(const std::string& file, const char* name, std::chrono::steady_clock::duration took) {
  if (std::FILE* out = std::fopen(file.c_str(), "a")) {
    std::fprintf(out, "%s=%lld\n", name,
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    std::fclose(out);
  }
}

}  // namespace

bool MainWindow::registerClasses(HINSTANCE instance) {
  WNDCLASSEXA dialog{};
  dialog.cbSize = sizeof dialog;
  dialog.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  dialog.lpfnWndProc = DefWindowProcA;
  dialog.hInstance = instance;
  dialog.hCursor = LoadCursor(nullptr, IDC_ARROW);
  dialog.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  dialog.lpszClassName = kDialogClass;
  RegisterClassExA(&dialog);

  WNDCLASSEXA main{};
  main.cbSize = sizeof main;
  main.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  main.lpfnWndProc = procedure;
  main.hInstance = instance;
  main.hIcon = LoadIcon(instance, MAKEINTRESOURCE(112));
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  main.lpszClassName = kMainClass;
  return RegisterClassExA(&main) != 0 && InformationView::registerClass(instance) &&
         snapshots::SnapshotView::registerClass(instance) &&
         search::SearchBar::registerClass(instance) && search::ListSearchWindow::registerClass(instance);
}

bool MainWindow::create() {
  // Its values would be read as mojibake: said once, before they are used.
  if (const std::string problem = platform::iniEncodingProblem(app_.settingsPath); !problem.empty())
    MessageBoxA(nullptr, problem.c_str(), "Quillmoor2", MB_OK | MB_ICONWARNING);
  loadSettings(settings_, settingsFile(app_), ReadAt::Startup);
  WindowRect rect = mainWindowRect(settings_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  CreateWindowExA(0, kMainClass, "Quillmoor2", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, rect.x, rect.y,
                  rect.width, rect.height, nullptr, nullptr, app_.instance, this);
  if (!app_.databaseReady || !hwnd_) return false;
  busy_.create(app_.instance, platform::joinPath(platform::joinPath(app_.programFolder, "resource"), "wait_anime.bmp"));
  return true;
}

LRESULT CALLBACK MainWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == menuDumpMessage()) {
    writeMenuDump(hwnd_, wParam != 0);
    return 1;
  }
  if (launcher_ && launcher_->handle(message, wParam, lParam)) return 0;
  const bool strayCommand = message == WM_COMMAND && !isCommand(wParam, lParam, rebar_.tools());
  if (LRESULT result; extras_ && !strayCommand && extras_->handle(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      return onCreate() ? 0 : -1;
    case WM_SIZE:
      layout();
      return 0;
    case WM_PAINT:
      if (!firstPaintDone_) {
        // The list is filled once the window is on the screen.
        firstPaintDone_ = true;
        PostMessageA(hwnd_, kFirstPaintDone, 0, 0);
      }
      break;
    case kFirstPaintDone:
      onFirstPaint();
      return 0;
    case kTextsRead:
      if (textsReader_ && items_) textsReader_->finish(*items_);
      return 0;
    case kCountTitles:
      if (!groupDb_.execute(search::kTitleCountQuery))
        setStatus(kTitleCountPart, search::titleCountText(std::atoll(groupDb_.cell(1, 0).c_str())));
      return 0;
    case WM_DRAWITEM:
      if (wParam == kItemListId && items_) {
        painter_.draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *items_, shownColumns_,
                      masterIcons_.list(master::Kind::Machine, master::IconSize::Small),
                      extras_ ? extras_->flashColour(itemList_) : std::nullopt);
        return TRUE;
      }
      if (wParam == kGroupListId) {
        drawGroupItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_NOTIFY:
      return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
      // F1 anywhere in the window (the system sends it up from the focused pane).
      PostMessageA(hwnd_, WM_COMMAND, menu::kHelp, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kGroupListId && HIWORD(wParam) == LBN_SELCHANGE) {
        selectGroupItem(static_cast<int>(SendMessageA(groupList_, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      if (strayCommand) break;
      if (lParam == 0 && app_.databaseReady && items_ && onColumnCommand(LOWORD(wParam))) return 0;
      if (app_.databaseReady && queries_.onCommand(LOWORD(wParam))) return 0;
      if (app_.databaseReady) {
        // A command that comes during start-up's busy moment (a script's,
        // a shortcut's) ends it first: its dialog must not open over a
        // disabled window that the timer would enable under it.
        endStartupBusy();
        if (LOWORD(wParam) == snapshots::kSnapshotViewCommand) {
          if (menus_) snapView_.toggle(hwnd_, menus_->snapshotView.get());
          return 0;
        }
        if (snapView_.command(LOWORD(wParam))) return 0;
        if (launcher_ && launcher_->command(LOWORD(wParam), currentKey())) return 0;
        if (runCommand(LOWORD(wParam), commands_)) {
          if (LOWORD(wParam) == menu::kFixToolbar) rebar_.setLocked(settings_.number(Setting::CoolBarFix) == 1);
          return 0;
        }
      }
      break;
    case WM_INITMENUPOPUP:
      if (launcher_ && launcher_->menuOpening(reinterpret_cast<HMENU>(wParam), currentKey())) return 0;
      if (menus_ && reinterpret_cast<HMENU>(wParam) == menus_->columnHeader.get()) {
        checkColumnItems(menus_->columnHeader.get());
        return 0;
      }
      refreshMenu(reinterpret_cast<HMENU>(wParam));
      queries_.updateMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_CONTEXTMENU:
      if (menus_ && app_.databaseReady &&
          showContextMenu(hwnd_, reinterpret_cast<HWND>(wParam), lParam, {itemList_, queryTree_}, *menus_))
        return 0;
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        ReleaseCapture();
        dropItems(lParam);
        return 0;
      }
      if (onSplitterMouse(message, lParam)) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK:
      if (onSplitterMouse(message, lParam)) return 0;
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(hwnd_, &at);
        const Splitter over = splitterAt(layoutPanes(paneArea(), splits_), at.x, at.y);
        if (over != Splitter::None) {
          SetCursor(LoadCursor(nullptr, over == Splitter::Vertical ? IDC_SIZEWE : IDC_SIZENS));
          return TRUE;
        }
      }
      break;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      splitterDrag_ = Splitter::None;
      break;
    case WM_TIMER:
      if (wParam == kScrollLockTimer && firstPaintDone_) showScrollLock();
      if (wParam == kBusyEndTimer) endStartupBusy();
      return 0;
    case WM_DESTROY:
      onDestroy();
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool MainWindow::onCreate() {
  sink_ = platform::makeWindowSink(hwnd_);
  createPanes();
  bindCommands();
  loadSettings(settings_, settingsFile(app_), ReadAt::Appearance);
  // The interface's bitmaps come before the database, for the list's rows.
  bitmaps_.load(platform::joinPath(app_.programFolder, "resource"));
  painter_.prepare(settings_, bitmaps_);
  infoView_.prepare(settings_);
  loadLamps(platform::joinPath(platform::joinPath(app_.programFolder, "resource"), "scroll_lock.bmp"));
  painter_.applyRowHeight(itemList_);
  menus_ = buildMainMenus();
  if (menus_) SetMenu(hwnd_, menus_->bar.release());
  if (menus_) addColumnItems(menus_->columnHeader.get());
  ui::htmlHelp().start(settings_.number(Setting::EtcDllSafeLoad) == 1);

  DatabaseStartup startup;
  startup.programFolder = app_.programFolder;
  startup.settingsPath = app_.settingsPath;
  app_.databaseReady = prepareDatabase(startup, hwnd_, *sink_);
  app_.upgradeDeclined = startup.upgradeDeclined;
  app_.dbPath = startup.dbPath;
  if (!app_.databaseReady) return false;
  databaseReadyAt_ = std::chrono::steady_clock::now();
  launcher_ = std::make_unique<launch::LaunchController>(hwnd_, app_.programFolder, app_.dbPath,
                                                         [this](const std::string& key) { refreshListAt(key); });
  launcher_->attachMenu(
      GetSubMenu(GetSubMenu(GetMenu(hwnd_), static_cast<int>(menu::BarMenu::Emulator)), 1));
  extras_ = std::make_unique<EmulatorExtras>(EmulatorExtras::Place{
      hwnd_, app_.programFolder, app_.dbPath, app_.settingsPath, {queryTree_, groupList_, itemList_}, launcher_.get(),
      &settings_, [this](int mode) { rebar_.showAutoSnapMode(mode); },
      [this](const std::string& text) { setStatus(2, text); }});
  // Opened once the library has made the file ready, so that a failed
  // creation can discard a file nobody holds open.
  listDb_.open(app_.dbPath);
  groupDb_.open(app_.dbPath);
  checker_.open(app_.dbPath);
  // Every sort and group click runs its statement over the whole library
  // again. With SQLite's small default cache each run read the file anew,
  // page by page (under Wine a server round trip for every read), and
  // spilled its sort to temporary files.
  listDb_.execute(kListCache);
  groupDb_.execute(kListCache);
  listDb_.execute("DROP VIEW list_view;");
  // It says so itself before renumbering.
  if (app_.rebuildMaster) master::renumberAll(listDb_, *sink_);
  loadSettings(settings_, settingsFile(app_), ReadAt::Startup);
  splits_ = loadSplits(settings_);
  const snapshots::FindSettings pictureRules = snapshots::findSettingsFrom(settings_);
  infoView_.preparePictures(pictureRules, [this] { openSnapshotView(); });
  snapView_.prepare(snapshots::snapViewOptions(settings_), pictureRules);
  platform::createFolder(platform::joinPath(app_.programFolder, "TEMP"));
  platform::createFolder(platform::joinPath(app_.programFolder, "color_theme"));
  loadSettings(settings_, settingsFile(app_), ReadAt::Build);
  masterIcons_.rebuildAll(listDb_, *sink_);
  items_ = std::make_unique<search::ItemList>(listDb_, checker_, *sink_);
  textsReader_ = std::make_unique<search::SearchTextsReader>(app_.dbPath);
  insertColumns();
  createSearchBar();
  if ((headerArrows_ = bitmaps_.strip("column.bmp", 16)))
    SendMessageA(reinterpret_cast<HWND>(SendMessageA(itemList_, LVM_GETHEADER, 0, 0)), HDM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(headerArrows_.get()));
  layout();
  SetTimer(hwnd_, kScrollLockTimer, 300, nullptr);
  startShortcuts();
  return true;
}

// Last in the creation: the labels are written into menus that exist, and
// the hook sees keys only once the panes do.
void MainWindow::startShortcuts() {
  std::vector<HMENU> labelled{GetMenu(hwnd_)};
  if (menus_)
    for (const MenuHandle& copy : menus_->barCopies) labelled.push_back(copy.get());
  KeyboardPanes panes;
  panes.main = hwnd_;
  panes.itemList = itemList_;
  panes.queryView = queryTree_;
  panes.groupView = groupList_;
  panes.info = info_;
  panes.searchBar = searchBar_.textBox();
  panes.groupTabs = tab_;
  panes.stepGroupKind = [this](int step) {
    switchGroupKind(step > 0 ? search::nextGroupKind(groupKind_) : search::previousGroupKind(groupKind_));
  };
  startKeyboard(app_.programFolder, panes, labelled, *sink_);
  setItemListSearch([this] {
    listSearch_.open(itemList_, *items_, &migemo_, settings_.number(Setting::MigemoListOn) == 1);
  });
  if (menus_) startSiteMenu(hwnd_, info_, menus_->informationView.get(), app_.programFolder);
}

void MainWindow::createPanes() {
  font_.reset(
      CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, sjis("ＭＳ Ｐゴシック").c_str()));
  // A tab stop that takes the focus when clicked: the arrow keys then switch
  // the group kind as Ctrl+PageDown and Ctrl+PageUp do in the pane.
  tab_ = child(hwnd_, WC_TABCONTROLA,
               WS_CLIPSIBLINGS | WS_TABSTOP | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_MULTILINE | TCS_FOCUSONBUTTONDOWN,
               kTabId);
  for (int i = 0; i < search::kGroupKindCount; ++i) {
    std::string label = search::groupTabLabel(static_cast<search::GroupKind>(i));
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  // Owner-drawn for the rating tab's stars; the texts stay readable.
  groupList_ = child(hwnd_, "LISTBOX",
                     WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                     kGroupListId, WS_EX_CLIENTEDGE);
  queryTree_ = child(hwnd_, WC_TREEVIEWA, TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS, kTreeId, WS_EX_CLIENTEDGE);
  itemList_ = child(hwnd_, WC_LISTVIEWA,
                    LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS,
                    kItemListId, WS_EX_CLIENTEDGE);
  SendMessageA(itemList_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
  info_ = infoView_.create(hwnd_, kInfoId);
  status_ = child(hwnd_, STATUSCLASSNAMEA, SBARS_SIZEGRIP, kStatusId);
  int parts[] = {170, 330, 420, 520, 900, 990, -1};
  SendMessageA(status_, SB_SETPARTS, 7, reinterpret_cast<LPARAM>(parts));
  for (HWND pane : {tab_, groupList_, queryTree_, itemList_, info_, status_})
    SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  SendMessageA(groupList_, LB_SETITEMHEIGHT, 0, ItemListPainter::kStarRowHeight);
}

void MainWindow::insertColumns() {
  search::ColumnLayout columns = search::columnLayout(settings_);
  shownColumns_ = search::shownColumnsInOrder(columns);
  for (std::size_t i = 0; i < shownColumns_.size(); ++i) {
    int column = shownColumns_[i];
    std::string header = search::columnHeader(column);
    LVCOLUMNA lv{};
    lv.mask = LVCF_TEXT | LVCF_WIDTH;
    lv.cx = columns.width[column];
    lv.pszText = header.data();
    SendMessageA(itemList_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&lv));
  }
}

// The rebar with the tool bar and the search bar, above the panes.
void MainWindow::createSearchBar() {
  if (!rebar_.create(hwnd_, bitmaps_)) return;
  search::SearchBarHost host;
  host.items = items_.get();
  host.sink = sink_.get();
  host.settingsPath = app_.settingsPath;
  host.settings.migemoOn = settings_.number(Setting::MigemoSearchOn) == 1;
  host.settings.classLimit = settings_.number(Setting::MigemoSearchClassLimit);
  host.tables = text::loadSymbolTables(settingsFile(app_));
  host.fontHeight = settings_.number(Setting::EtcSearchFontHeight);
  // migemo.dll from the program folder only; without it searches are plain text.
  migemo_.open(search::migemoLibraryPath(app_.programFolder), search::migemoDictionaryPath(app_.programFolder));
  host.migemo = &migemo_;
  host.suggestions = &groupDb_;
  host.fuzzyOn = settings_.number(Setting::MigemoFuzzyOn) == 1;
  host.wholeTitles = settings_.number(Setting::MigemoFuzzyLap) == 1;
  host.fuzzyClassLimit = settings_.number(Setting::MigemoFuzzyClassLimit);
  host.font = font_.get();
  host.currentKey = [this] { return currentKey(); };
  host.listChanged = [this](const std::string& key, const std::string& time, const std::string& note) {
    showSearchResult(key, time, note);
  };
  host.searchFailed = [this] { SetWindowTextA(info_, ""); };
  host.beforeSearch = [this] {
    if (textsReader_ && items_) textsReader_->finish(*items_);
  };
  if (!searchBar_.create(rebar_.window(), std::move(host))) return;
  rebar_.addBands(searchBar_.window(), searchBar_.height(), searchBar_.minimumWidth(), app_.settingsPath,
                  settings_.number(Setting::CoolBarFix) == 1);
  search::QueryTreeHost queries;
  queries.programFolder = app_.programFolder;
  queries.settingsPath = app_.settingsPath;
  queries.sink = sink_.get();
  queries.run = [this](const std::string& statement) {
    searchBar_.search(statement, search::kSqlMode);
    InvalidateRect(groupList_, nullptr, TRUE);
  };
  queries.iconSizeChanged = [this](int size) { settings_.setNumber(Setting::QueryTreeIconSize, size); };
  queries_.attach(queryTree_, std::move(queries));
}

void MainWindow::showSearchResult(const std::string& key, const std::string& time, const std::string& note) {
  setStatus(2, note);
  setStatus(kSearchTimePart, time);
  const auto start = std::chrono::steady_clock::now();
  showList(key, false);
  const auto listed = std::chrono::steady_clock::now();
  refreshGroupPane();
  const auto grouped = std::chrono::steady_clock::now();
  // Drawn now, not after the search history is written to the settings file.
  UpdateWindow(itemList_);
  if (std::string timings = timingsFile(); !timings.empty()) {
    appendTiming(timings, "search_show_list_ms", listed - start);
    appendTiming(timings, "search_group_pane_ms", grouped - listed);
    appendTiming(timings, "search_paint_ms", std::chrono::steady_clock::now() - grouped);
  }
}

// The panes' area: the client area without the status bar (and without any
// band above the panes, which takes its height off the top).
PaneRect MainWindow::paneArea() const {
  RECT client;
  GetClientRect(hwnd_, &client);
  RECT statusRect{};
  GetWindowRect(status_, &statusRect);
  const int top = rebar_.height();
  return {0, top, client.right, std::max<int>(top, client.bottom - (statusRect.bottom - statusRect.top))};
}

// The layout as the header shows it now: widths and the order the user dragged.
search::ColumnLayout MainWindow::currentColumnLayout() const {
  search::ColumnLayout columns = search::columnLayout(settings_);
  const int count = static_cast<int>(shownColumns_.size());
  std::vector<int> order(static_cast<std::size_t>(count));
  std::vector<int> displayed;
  if (count > 0 && SendMessageA(itemList_, LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()))) {
    for (int index : order) {
      if (index >= 0 && index < count) displayed.push_back(shownColumns_[static_cast<std::size_t>(index)]);
    }
  }
  search::takeDisplayOrder(columns, displayed);
  for (int i = 0; i < count; ++i)
    columns.width[shownColumns_[static_cast<std::size_t>(i)]] =
        static_cast<int>(SendMessageA(itemList_, LVM_GETCOLUMNWIDTH, i, 0));
  return columns;
}

void MainWindow::addColumnItems(HMENU headerPopup) {
  AppendMenuA(headerPopup, MF_SEPARATOR, 0, nullptr);
  for (int column = 0; column < search::kColumnCount; ++column)
    AppendMenuA(headerPopup, MF_STRING, search::kShowColumnCommand + column, search::columnHeader(column).c_str());
  AppendMenuA(headerPopup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(headerPopup, MF_STRING, search::kReadingSortCommand, sjis("タイトルを読み仮名でソート").c_str());
}

void MainWindow::checkColumnItems(HMENU headerPopup) {
  const search::ColumnLayout columns = search::columnLayout(settings_);
  for (int column = 0; column < search::kColumnCount; ++column)
    CheckMenuItem(headerPopup, search::kShowColumnCommand + column,
                  MF_BYCOMMAND | (columns.shown[column] ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(headerPopup, search::kReadingSortCommand,
                MF_BYCOMMAND | (items_ && items_->readingSort() ? MF_CHECKED : MF_UNCHECKED));
}

// The column header popup's own items; false for any other command.
bool MainWindow::onColumnCommand(int command) {
  if (command == search::kReadingSortCommand) {
    const bool on = !items_->readingSort();
    items_->setReadingSort(on);
    settings_.setNumber(Setting::ItemListReadingSort, on ? 1 : 0);
    const search::SortRequest request = search::readingSortRequest(items_->sortState());
    sortList(request.column, request.mode);
    return true;
  }
  const int column = search::columnOfCommand(command);
  if (column < 0) return false;
  search::ColumnLayout columns = currentColumnLayout();
  if (!search::toggleColumn(columns, column)) return true;
  search::storeColumnLayout(settings_, columns);
  SetWindowRedraw(itemList_, FALSE);
  while (SendMessageA(itemList_, LVM_DELETECOLUMN, 0, 0)) {
  }
  insertColumns();
  drawHeaders();
  SetWindowRedraw(itemList_, TRUE);
  InvalidateRect(itemList_, nullptr, TRUE);
  return true;
}

void MainWindow::layout() {
  if (!status_) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  // The rebar first: the panes fill the client area below it.
  if (rebar_.window()) SendMessageA(rebar_.window(), WM_SIZE, 0, 0);
  SendMessageA(status_, WM_SIZE, 0, 0);
  const std::array<int, kStatusPartCount> parts = statusPartEdges(client.right);
  SendMessageA(status_, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
  const PaneRects panes = layoutPanes(paneArea(), splits_);
  const PaneRect& groups = panes.groups;
  // The tabs wrap onto as many rows as the pane's width needs; all of them
  // stay in sight (a narrow pane put the rating tab below the list).
  MoveWindow(tab_, groups.left, groups.top, groups.width(), kTabHeight, TRUE);
  RECT tabItem{};
  const int rows = static_cast<int>(SendMessageA(tab_, TCM_GETROWCOUNT, 0, 0));
  int tabHeight = kTabHeight;
  if (rows > 0 && SendMessageA(tab_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tabItem)))
    tabHeight = std::max<int>(kTabHeight, rows * (tabItem.bottom - tabItem.top) + 6);
  tabHeight = std::min(tabHeight, groups.height());
  if (tabHeight != kTabHeight) MoveWindow(tab_, groups.left, groups.top, groups.width(), tabHeight, TRUE);
  MoveWindow(groupList_, groups.left, groups.top + tabHeight, groups.width(), groups.height() - tabHeight, TRUE);
  const std::pair<HWND, const PaneRect*> others[] = {{queryTree_, &panes.query}, {itemList_, &panes.list},
                                                      {info_, &panes.info}};
  for (const auto& [pane, rect] : others) {
    // A closed row's panes are hidden rather than squeezed to nothing.
    ShowWindow(pane, rect->height() > 0 ? SW_SHOWNA : SW_HIDE);
    MoveWindow(pane, rect->left, rect->top, rect->width(), rect->height(), TRUE);
  }
  // The splitters are the main window's own background between the panes.
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// Mouse messages on the main window's own area: the splitters. True when taken.
bool MainWindow::onSplitterMouse(UINT message, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  const PaneRect area = paneArea();
  switch (message) {
    case WM_LBUTTONDOWN:
      if ((splitterDrag_ = splitterAt(layoutPanes(area, splits_), x, y)) == Splitter::None) return false;
      SetCapture(hwnd_);
      return true;
    case WM_MOUSEMOVE:
      if (splitterDrag_ == Splitter::None || GetCapture() != hwnd_) return false;
      if (const PaneSplits moved = dragSplitter(splits_, splitterDrag_, x, y, area); moved != splits_) {
        splits_ = moved;
        layout();
      }
      return true;
    case WM_LBUTTONUP:
      if (splitterDrag_ == Splitter::None) return false;
      splitterDrag_ = Splitter::None;
      ReleaseCapture();
      saveSplits();
      return true;
    case WM_LBUTTONDBLCLK:
      if (splitterAt(layoutPanes(area, splits_), x, y) != Splitter::Horizontal) return false;
      splits_ = toggleLowerRow(splits_);
      layout();
      saveSplits();
      return true;
  }
  return false;
}

// Written as they change, as well as at exit.
void MainWindow::saveSplits() {
  storeSplits(settings_, splits_);
  const platform::IniFile ini = settingsFile(app_);
  for (Setting key : {Setting::WindowSeparateX, Setting::WindowSeparateY, Setting::WindowSeparateClose,
                      Setting::WindowSeparateYtmp})
    writeValue(ini, settings_, key);
}

void MainWindow::onFirstPaint() {
  const std::string timings = timingsFile();
  auto step = [&timings, last = std::chrono::steady_clock::now()](const char* name) mutable {
    if (timings.empty()) return;
    const auto now = std::chrono::steady_clock::now();
    appendTiming(timings, name, now - last);
    last = now;
  };
  if (!timings.empty()) appendTiming(timings, "ready_to_first_paint_ms", std::chrono::steady_clock::now() - databaseReadyAt_);
  platform::IniFile ini = settingsFile(app_);
  search::resetLastQueryWhenFlagged(settings_, ini);
  loadSettings(settings_, ini, ReadAt::FirstPaint);
  ShowWindow(hwnd_, opensMaximized(settings_) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  busy_.enter(hwnd_);
  step("fill_show_window_ms");
  search::RestoredQuery restored = search::restoredQuery(settings_);
  items_->statements() = restored.statements;
  // The file may have been edited: only our own view with a read-only WHERE
  // is run, otherwise the whole library is shown.
  if (!search::isTrustedViewStatement(restored.statements.view, checker_)) items_->statements().view.clear();
  items_->setReadingSort(settings_.number(Setting::ItemListReadingSort) == 1);
  if (items_->recreateView()) {
    items_->sort(search::kResetSort, search::SortMode::Toggle);
    step("fill_sort_ms");
    showList(restored.primaryKey, -1);
    step("fill_show_list_ms");
  }
  refreshGroupPane(GroupRefresh::ForgetPlaces);
  step("fill_group_pane_ms");
  setStatus(kDllLoadPart, dllLoadText(settings_.number(Setting::EtcDllSafeLoad) == 1));
  showScrollLock();
  if (snapView_.options().open) openSnapshotView();
  startupBusy_ = true;
  SetTimer(hwnd_, kBusyEndTimer, kBusyEndDelayMs, nullptr);
  if (!timings.empty()) {
    // The list's first paint would come with the next pass of the message
    // loop; done here, the figure includes it.
    UpdateWindow(itemList_);
    step("fill_paint_ms");
    appendTiming(timings, "ready_to_first_fill_ms", std::chrono::steady_clock::now() - databaseReadyAt_);
  }
}

// The end of start-up's busy mode, by its timer or early by a command.
void MainWindow::endStartupBusy() {
  if (!startupBusy_) return;
  startupBusy_ = false;
  KillTimer(hwnd_, kBusyEndTimer);
  busy_.leave(hwnd_);
  // Wine does not always repaint what the busy window covered.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  SetForegroundWindow(hwnd_);
  SetFocus(itemList_);
}

void MainWindow::drawHeaders() {
  HWND header = reinterpret_cast<HWND>(SendMessageA(itemList_, LVM_GETHEADER, 0, 0));
  for (std::size_t i = 0; i < shownColumns_.size(); ++i) {
    search::HeaderMark mark = items_->sortState().headerMark(shownColumns_[i], items_->readingSort());
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = mark.label.data();
    item.fmt = HDF_STRING | HDF_LEFT;
    if (headerArrows_ && mark.image >= 0) {
      item.mask |= HDI_IMAGE;
      item.iImage = mark.image;
      item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    } else {
      if (mark.image == 0) item.fmt |= HDF_SORTUP;
      if (mark.image == 1) item.fmt |= HDF_SORTDOWN;
    }
    SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

void MainWindow::sortList(int column, search::SortMode mode) {
  std::string key = currentKey();
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const auto start = std::chrono::steady_clock::now();
  items_->sort(column, mode);
  const auto sorted = std::chrono::steady_clock::now();
  showList(key, -1);
  SetCursor(old);
  if (std::string timings = timingsFile(); !timings.empty()) {
    appendTiming(timings, "sort_ms", sorted - start);
    appendTiming(timings, "sort_show_ms", std::chrono::steady_clock::now() - sorted);
  }
}

// Sets the item count without flicker and puts the cursor on `keepKey` (the
// first item when it is no longer listed), with `keptTop` as the first
// visible row when it is not -1.
void MainWindow::showList(const std::string& keepKey, int keptTop) {
  const int rows = items_->rowCount();
  placeListRows(rows, keepKey, keptTop);
  // A sort or a group click leaves the library as it was. The count reads the
  // whole title table: it follows once the list is on the screen.
  if (countedView_ != items_->viewGeneration()) {
    countedView_ = items_->viewGeneration();
    PostMessageA(hwnd_, kCountTitles, 0, 0);
  }
  setStatus(1, search::hitCountText(rows));
  showCurrentItem();
  // The texts searches test are read meanwhile, once the list is on the screen.
  if (textsReader_) textsReader_->start(*items_, [hwnd = hwnd_] { PostMessageA(hwnd, kTextsRead, 0, 0); });
}

// Drawn once, when the rows are set: each step redrawn on its own (the
// count, the cursor) cost Wine tens of milliseconds for its scroll bar. The
// scrolling follows once drawing is back: Wine keeps a list's scroll range
// while it does not draw, and would scroll nothing.
void MainWindow::placeListRows(int rows, const std::string& keepKey, int keptTop) {
  search::ListPlacement place;
  {
    const ui::RedrawPause pause(itemList_, false);
    SendMessageA(itemList_, LVM_SETITEMCOUNT, 0, 0);
    SendMessageA(itemList_, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    drawHeaders();
    place = search::placeAfterRefill(rows, !keepKey.empty(), keepKey.empty() ? -1 : items_->findItem(keepKey), keptTop);
    if (place.item < 0) return;
    ListView_SetItemState(itemList_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(itemList_, place.item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  // Scrolled to the end first, the row then scrolled to becomes the first
  // visible one. The emptied list already starts at row 0.
  if (place.top > 0) {
    ListView_EnsureVisible(itemList_, rows - 1, FALSE);
    ListView_EnsureVisible(itemList_, place.top, FALSE);
  }
  if (place.scroll) ListView_EnsureVisible(itemList_, place.item, FALSE);
}

int MainWindow::topRow() const { return static_cast<int>(SendMessageA(itemList_, LVM_GETTOPINDEX, 0, 0)); }

// Before the pane is emptied: its place, for the kind it shows.
void MainWindow::rememberGroupPlace() {
  if (!groupPaneFilled_) return;
  search::GroupPlace place;
  place.selected = static_cast<int>(SendMessageA(groupList_, LB_GETCURSEL, 0, 0));
  place.top = std::max(0, static_cast<int>(SendMessageA(groupList_, LB_GETTOPINDEX, 0, 0)));
  place.value = groupValue(place.selected);
  groupPlaces_.remember(groupKind_, std::move(place));
}

void MainWindow::switchGroupKind(search::GroupKind kind) {
  rememberGroupPlace();
  groupPaneFilled_ = false;
  groupKind_ = kind;
  SendMessageA(tab_, TCM_SETCURSEL, static_cast<WPARAM>(kind), 0);
  refreshGroupPane();
}

void MainWindow::refreshGroupPane(GroupRefresh refresh) {
  if (refresh == GroupRefresh::ForgetPlaces) {
    groupPlaces_.forgetAll();
  } else {
    rememberGroupPlace();
  }
  groupPaneFilled_ = false;
  const ui::RedrawPause pause(groupList_, true);
  SendMessageA(groupList_, LB_RESETCONTENT, 0, 0);
  groupValues_.clear();
  if (auto kept = items_->groupValues(groupKind_)) {
    groupValues_ = std::move(*kept);
  } else {
    std::string query = search::groupQuery(groupKind_, items_->statements().search);
    if (search::runReadOnly(groupDb_, checker_, query)) return;
    // Kept apart: the group connection runs the title count after every list.
    for (int row = 1; row <= groupDb_.rowCount(); ++row) groupValues_.push_back(groupDb_.cell(row, 0));
  }
  int count = search::groupItemCount(groupKind_, static_cast<int>(groupValues_.size()));
  // Drawn once when filled (the pause above): item by item, Wine's list box
  // repaints on every add, which took 20 ms for a dozen makers.
  for (int item = 0; item < count; ++item) {
    std::string label = search::groupItemText(groupKind_, item, groupValue(item));
    SendMessageA(groupList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
  }
  groupPaneFilled_ = true;
  const search::GroupPlace place = groupPlaces_.restore(groupKind_, groupValues_);
  SendMessageA(groupList_, LB_SETCURSEL, place.selected, 0);
  SendMessageA(groupList_, LB_SETTOPINDEX, place.top, 0);
}

void MainWindow::drawGroupItem(const DRAWITEMSTRUCT& draw) {
  const int item = static_cast<int>(draw.itemID);
  if (item < 0) return;
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  HDC dc = draw.hDC;
  const std::optional<COLORREF> flash = extras_ ? extras_->flashColour(groupList_) : std::nullopt;
  if (flash && !selected) {
    SetBkColor(dc, *flash);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &draw.rcItem, nullptr, 0, nullptr);
  } else {
    FillRect(dc, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  }
  RECT box{draw.rcItem.left + 2, draw.rcItem.top, draw.rcItem.right - 2, draw.rcItem.bottom};
  if (groupKind_ == search::GroupKind::Rating && item >= 1) {
    painter_.drawStars(dc, box, search::ratingStars(item));
  } else {
    std::string label(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageA(groupList_, LB_GETTEXTLEN, item, 0))),
                      '\0');
    SendMessageA(groupList_, LB_GETTEXT, item, reinterpret_cast<LPARAM>(label.data()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const ui::Selected font(dc, font_.get());
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &draw.rcItem);
}

// Item 0 is "<全て>"; items 1.. are the group statement's rows.
std::string MainWindow::groupValue(int item) const {
  return item > 0 && item <= static_cast<int>(groupValues_.size()) ? groupValues_[item - 1] : std::string();
}

void MainWindow::selectGroupItem(int index) {
  if (index < 0) return;
  std::string key = currentKey();
  const int top = topRow();
  items_->statements().group = search::groupFilterStatement(groupKind_, index, groupValue(index));
  if (!items_->sort(search::kResetSort, search::SortMode::Toggle)) {
    sink_->show(sjis("ビュー選択できませんでした。\n"), "GroupDown", platform::MessageIcon::Error,
                platform::MessageButtons::Ok);
  }
  showList(key, top);
}

std::string MainWindow::currentKey() const {
  int index = ListView_GetNextItem(itemList_, -1, LVNI_FOCUSED);
  return index >= 0 && index < items_->rowCount() ? items_->fileNameAt(index) : std::string();
}

void MainWindow::showCurrentItem() {
  int index = ListView_GetNextItem(itemList_, -1, LVNI_FOCUSED);
  if (index < 0 || index >= items_->rowCount()) {
    infoView_.show({});
    snapView_.follow(std::nullopt);
    return;
  }
  const snapshots::ItemSnapshots pictures = snapshots::itemSnapshotsOfRow(
      [&](std::string_view column) { return items_->cell(index, search::viewColumn(column)); }, app_.programFolder);
  infoView_.show(infoRecord([&](int column) { return items_->cell(index, column); }), pictures);
  snapView_.follow(pictures);
}

void MainWindow::openSnapshotView() {
  if (menus_) snapView_.open(hwnd_, menus_->snapshotView.get());
}

LRESULT MainWindow::onNotify(NMHDR* header) {
  if (rebar_.toolTip(header)) return 0;
  if (header->hwndFrom == itemList_) {
    if (header->code == LVN_GETDISPINFOA) {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      if (!(info->item.mask & LVIF_TEXT) || info->item.iSubItem >= static_cast<int>(shownColumns_.size())) return 0;
      int column = shownColumns_[info->item.iSubItem];
      const search::ListColumn& columnInfo = search::listColumns()[column];
      std::string value = items_->cell(info->item.iItem, columnInfo.viewColumn);
      if (column == search::kMachineGenreColumn) {
        auto lines = search::machineGenreLines(items_->cell(info->item.iItem, search::kViewMachineName),
                                               items_->cell(info->item.iItem, search::kViewGenreName),
                                               items_->sortState().direction(column));
        value = lines[0] + " / " + lines[1];
      } else {
        value = search::cellText(column, value);
      }
      lstrcpynA(info->item.pszText, value.c_str(), info->item.cchTextMax);
    } else if (header->code == LVN_ITEMCHANGED) {
      showCurrentItem();
    } else if (header->code == NM_CLICK) {
      records::rateAtClick({hwnd_, itemList_, items_.get(), app_.dbPath}, shownColumns_,
                           reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction);
    } else if ((header->code == NM_DBLCLK && reinterpret_cast<NMITEMACTIVATE*>(header)->iItem >= 0) ||
               header->code == NM_RETURN) {
      if (launcher_ && !currentKey().empty()) launcher_->launchOwnSetting(currentKey());
    } else if (header->code == LVN_BEGINDRAG) {
      // The drop is judged on the main window, which holds the mouse until then.
      dragging_ = true;
      SetCapture(hwnd_);
      SetCursor(LoadCursor(nullptr, IDC_UPARROW));
    } else if (header->code == LVN_COLUMNCLICK) {
      auto* click = reinterpret_cast<NMLISTVIEW*>(header);
      if (click->iSubItem < static_cast<int>(shownColumns_.size()))
        sortList(shownColumns_[click->iSubItem], search::SortMode::Toggle);
    }
    return 0;
  }
  if (queries_.onNotify(*header)) return 0;
  if (header->hwndFrom == rebar_.window()) {
    if (header->code == RBN_HEIGHTCHANGE) layout();
    if (header->code == RBN_ENDDRAG || header->code == RBN_HEIGHTCHANGE) rebar_.saveBands(app_.settingsPath);
    return 0;
  }
  if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE)
    switchGroupKind(static_cast<search::GroupKind>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0)));
  return 0;
}

maintenance::SetItem MainWindow::setItemAt(int item) const {
  return {items_->fileNameAt(item), items_->cell(item, search::kViewMachineName), items_->cell(item, kViewPly),
          items_->cell(item, kViewAlterEgo)};
}

std::vector<maintenance::SetItem> MainWindow::selectedItems() const {
  std::vector<maintenance::SetItem> selected;
  for (int item = ListView_GetNextItem(itemList_, -1, LVNI_SELECTED); item >= 0 && item < items_->rowCount();
       item = ListView_GetNextItem(itemList_, item, LVNI_SELECTED))
    selected.push_back(setItemAt(item));
  return selected;
}

// The rules look at the first selected item, as the commands do.
void MainWindow::refreshMenu(HMENU menu) {
  const int first = items_ ? ListView_GetNextItem(itemList_, -1, LVNI_SELECTED) : -1;
  if (first < 0 || first >= items_->rowCount()) {
    refreshMenuStates(menu, nullptr, settings_);
    return;
  }
  const FirstSelected state{items_->cell(first, kViewPly), items_->cell(first, kViewEmusetName),
                            items_->cell(first, kViewAlterEgo), items_->cell(first, kViewFave)};
  refreshMenuStates(menu, &state, settings_);
}

// The commands' context points at the window's parts, which live as long as it.
void MainWindow::bindCommands() {
  commands_.owner = hwnd_;
  commands_.app = &app_;
  commands_.list = this;
  commands_.settings = &settings_;
  commands_.masterIcons = &masterIcons_;
  commands_.itemList = itemList_;
  commands_.migemo = &migemo_;
}

void MainWindow::emptyItemList() {
  SendMessageA(itemList_, LVM_SETITEMCOUNT, 0, 0);
  rememberGroupPlace();
  groupPaneFilled_ = false;
  SendMessageA(groupList_, LB_RESETCONTENT, 0, 0);
  InvalidateRect(itemList_, nullptr, TRUE);
  setStatus(1, "");
}

// After a command: the list keeps its place, the group pane its selection.
void MainWindow::refreshListAt(const std::string& key) {
  const int top = topRow();
  if (items_->recreateView()) items_->sort(search::kSortAgain, search::SortMode::Toggle);
  showList(key, top);
  refreshGroupPane();
}

// `position` is the button-up point in the main window's client coordinates.
void MainWindow::dropItems(LPARAM position) {
  POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  MapWindowPoints(hwnd_, itemList_, &point, 1);
  LVHITTESTINFO hit{};
  hit.pt = point;
  int target = static_cast<int>(SendMessageA(itemList_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (target < 0 || target >= items_->rowCount() || !(hit.flags & LVHT_ONITEM)) return;
  const maintenance::SetItem targetItem = setItemAt(target);
  if (maintenance::joinDroppedItems(hwnd_, app_.dbPath, targetItem, selectedItems()))
    refreshListAt(targetItem.fileName);
}

// Timer 1: the lamps follow the key; its state is kept at exit.
void MainWindow::showScrollLock() {
  const bool on = (GetKeyState(VK_SCROLL) & 1) != 0;
  if (!scrollLock_.update(on)) return;
  settings_.setNumber(Setting::KeyStateScrollLock, on ? 1 : 0);
  HICON lamp = lamps_[on ? 1 : 0].get();
  setStatus(kScrollLockPart, kScrollLockLabel);
  SendMessageA(status_, SB_SETICON, kScrollLockPart, reinterpret_cast<LPARAM>(lamp));
  SendMessageA(status_, SB_SETICON, kScrollLockLampPart, reinterpret_cast<LPARAM>(lamp));
}

void MainWindow::loadLamps(const std::string& path) {
  ui::OwnedBitmap strip(static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  ui::OwnedImageList lamps(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0));
  if (!strip || !lamps || ImageList_AddMasked(lamps.get(), strip.get(), RGB(255, 0, 255)) < 0) return;
  for (int i = 0; i < 2; ++i) lamps_[i].reset(ImageList_GetIcon(lamps.get(), i, ILD_TRANSPARENT));
}

void MainWindow::setStatus(int part, const std::string& text) {
  SendMessageA(status_, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::saveSettings() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd_, &placement);
  ClosingPlacement closing;
  const RECT& r = placement.rcNormalPosition;
  closing.normal = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  closing.state = IsZoomed(hwnd_) ? ShowState::Maximized : IsIconic(hwnd_) ? ShowState::Minimized : ShowState::Normal;
  closing.restoresMaximized = (placement.flags & WPF_RESTORETOMAXIMIZED) != 0;
  closing.maxX = placement.ptMaxPosition.x;
  closing.maxY = placement.ptMaxPosition.y;
  recordMainWindow(settings_, closing);
  storeSplits(settings_, splits_);
  search::storeColumnLayout(settings_, currentColumnLayout());
  search::rememberQuery(settings_, items_->statements(), currentKey(), items_->sortState(), items_->readingSort());
  // The view, owned by this window, is already gone: it kept its place.
  snapshots::storeSnapViewOptions(settings_, snapView_.options());
  saveAtShutdown(settings_, settingsFile(app_), app_.upgradeDeclined, *sink_);
}

void MainWindow::onDestroy() {
  textsReader_.reset();
  stopKeyboard();
  releaseModifierKeys();
  ui::htmlHelp().stop();
  KillTimer(hwnd_, kScrollLockTimer);
  // Closed during start-up's busy moment: the busy window must not stay up.
  KillTimer(hwnd_, kBusyEndTimer);
  if (busy_.busy()) busy_.leave(hwnd_);
  snapView_.close();
  if (app_.databaseReady && items_) saveSettings();
  font_.reset();
  PostQuitMessage(0);
}

}  // namespace qm::shell

#include "app/shell/main_window_win.h"

#include <commctrl.h>

#include <cstdio>

#include "app/search/last_query.h"
#include "app/search/list_columns.h"
#include "app/shell/commands_win.h"
#include "app/shell/database_startup.h"
#include "app/shell/master_tables.h"
#include "app/shell/menu_table.h"
#include "app/shell/window_placement.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"

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
constexpr int kInfoHeight = 150;
constexpr UINT kFirstPaintDone = WM_APP;
// Page cache of the list and group connections, in KiB: at most 128 MiB, which
// holds a library of 100,000 items and keeps the list's sort in memory. Pages
// are only taken as statements read them.
constexpr const char* kListCache = "PRAGMA cache_size=-131072;";

HWND child(HWND parent, const char* cls, DWORD style, int id, DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

// The information view's lines: label and list_view position.
constexpr std::pair<const char*, int> kInfoFields[] = {
    {"タイトル", 2}, {"機種", 1},       {"メーカー", 4}, {"開発元", 5}, {"ジャンル", 6},    {"メディア", 8},
    {"発売日", 10},  {"起動回数", 12},  {"CRC32", 27},   {"CRC16", 26}, {"読み仮名", 47},   {"メモ", 24},
    {"ファイル", 0},
};

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
  return RegisterClassExA(&main) != 0;
}

bool MainWindow::create() {
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
    case WM_NOTIFY:
      return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) == kGroupListId && HIWORD(wParam) == LBN_SELCHANGE) {
        selectGroupItem(static_cast<int>(SendMessageA(groupList_, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      if (lParam == 0 && app_.databaseReady) {
        CommandContext context;
        context.owner = hwnd_;
        context.app = &app_;
        context.refreshItemList = [this] {
          std::string key = currentKey();
          if (items_->recreateView()) items_->sort(search::kSortAgain, search::SortMode::Toggle);
          showList(key, false);
          refreshGroupPane();
        };
        context.currentItem = [this] { return currentKey(); };
        context.emptyItemList = [this] {
          SendMessageA(itemList_, LVM_SETITEMCOUNT, 0, 0);
          SendMessageA(groupList_, LB_RESETCONTENT, 0, 0);
          InvalidateRect(itemList_, nullptr, TRUE);
          setStatus(1, "");
        };
        context.settings = &settings_;
        context.masterIcons = &masterIcons_;
        if (runCommand(LOWORD(wParam), context)) return 0;
      }
      break;
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
  loadSettings(settings_, settingsFile(app_), ReadAt::Appearance);
  menus_ = buildMainMenus();
  if (menus_) SetMenu(hwnd_, menus_->bar.release());

  DatabaseStartup startup;
  startup.programFolder = app_.programFolder;
  startup.settingsPath = app_.settingsPath;
  app_.databaseReady = prepareDatabase(startup, hwnd_, *sink_);
  app_.upgradeDeclined = startup.upgradeDeclined;
  app_.dbPath = startup.dbPath;
  if (!app_.databaseReady) return false;
  databaseReadyAt_ = std::chrono::steady_clock::now();
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
  platform::createFolder(platform::joinPath(app_.programFolder, "TEMP"));
  platform::createFolder(platform::joinPath(app_.programFolder, "color_theme"));
  loadSettings(settings_, settingsFile(app_), ReadAt::Build);
  masterIcons_.rebuildAll(listDb_, *sink_);
  items_ = std::make_unique<search::ItemList>(listDb_, checker_, *sink_);
  insertColumns();
  layout();
  return true;
}

void MainWindow::createPanes() {
  font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, sjis("ＭＳ Ｐゴシック").c_str());
  tab_ = child(hwnd_, WC_TABCONTROLA, WS_CLIPSIBLINGS | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_MULTILINE, kTabId);
  for (int i = 0; i < search::kGroupKindCount; ++i) {
    std::string label = search::groupTabLabel(static_cast<search::GroupKind>(i));
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  groupList_ = child(hwnd_, "LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kGroupListId, WS_EX_CLIENTEDGE);
  queryTree_ = child(hwnd_, WC_TREEVIEWA, TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS, kTreeId, WS_EX_CLIENTEDGE);
  itemList_ = child(hwnd_, WC_LISTVIEWA, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, kItemListId, WS_EX_CLIENTEDGE);
  SendMessageA(itemList_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
  info_ = child(hwnd_, "EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL, kInfoId, WS_EX_CLIENTEDGE);
  status_ = child(hwnd_, STATUSCLASSNAMEA, SBARS_SIZEGRIP, kStatusId);
  int parts[] = {170, 330, 420, 520, 900, 990, -1};
  SendMessageA(status_, SB_SETPARTS, 7, reinterpret_cast<LPARAM>(parts));
  for (HWND pane : {tab_, groupList_, queryTree_, itemList_, info_, status_})
    SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
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

void MainWindow::layout() {
  if (!status_) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  SendMessageA(status_, WM_SIZE, 0, 0);
  RECT statusRect;
  GetWindowRect(status_, &statusRect);
  int bottom = client.bottom - (statusRect.bottom - statusRect.top);
  int left = settings_.number(Setting::WindowSeparateX);
  int groupBottom = std::min(settings_.number(Setting::WindowSeparateY), bottom - 40);
  MoveWindow(tab_, 0, 0, left, kTabHeight, TRUE);
  MoveWindow(groupList_, 0, kTabHeight, left, groupBottom - kTabHeight, TRUE);
  MoveWindow(queryTree_, 0, groupBottom + 3, left, bottom - groupBottom - 3, TRUE);
  int listBottom = bottom - kInfoHeight;
  MoveWindow(itemList_, left + 3, 0, client.right - left - 3, listBottom, TRUE);
  MoveWindow(info_, left + 3, listBottom + 3, client.right - left - 3, kInfoHeight - 3, TRUE);
}

void MainWindow::onFirstPaint() {
  platform::IniFile ini = settingsFile(app_);
  search::resetLastQueryWhenFlagged(settings_, ini);
  loadSettings(settings_, ini, ReadAt::FirstPaint);
  ShowWindow(hwnd_, opensMaximized(settings_) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  busy_.enter(hwnd_);
  search::RestoredQuery restored = search::restoredQuery(settings_);
  items_->statements() = restored.statements;
  items_->setReadingSort(settings_.number(Setting::ItemListReadingSort) == 1);
  if (items_->recreateView()) {
    items_->sort(search::kResetSort, search::SortMode::Toggle);
    showList(restored.primaryKey, true);
  }
  refreshGroupPane();
  setStatus(4, sjis(settings_.number(Setting::EtcDllSafeLoad) == 1
                        ? "[安全] DLLロード(LoadLibrary)はWindowsシステムディレクトリに固定"
                        : "[注意] DLLロード(LoadLibrary)はPATHの通った全ディレクトリが対象：全体設定で変更できます"));
  busy_.leave(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(itemList_);
  if (std::string timings = timingsFile(); !timings.empty()) {
    // The list's first paint would come with the next pass of the message
    // loop; done here, the figure includes it.
    UpdateWindow(itemList_);
    appendTiming(timings, "ready_to_first_fill_ms", std::chrono::steady_clock::now() - databaseReadyAt_);
  }
}

void MainWindow::drawHeaders() {
  HWND header = reinterpret_cast<HWND>(SendMessageA(itemList_, LVM_GETHEADER, 0, 0));
  for (std::size_t i = 0; i < shownColumns_.size(); ++i) {
    search::HeaderMark mark = items_->sortState().headerMark(shownColumns_[i], items_->readingSort());
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = mark.label.data();
    item.fmt = HDF_STRING | HDF_LEFT;
    if (mark.image >= 0 && mark.image % 2 == 0 && mark.image < 2) item.fmt |= HDF_SORTUP;
    if (mark.image == 1) item.fmt |= HDF_SORTDOWN;
    SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

void MainWindow::sortList(int column, search::SortMode mode) {
  std::string key = currentKey();
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  items_->sort(column, mode);
  showList(key, false);
  SetCursor(old);
}

// Sets the item count without flicker and puts the cursor on `keepKey` (the
// first item when it is no longer listed).
void MainWindow::showList(const std::string& keepKey, bool scrollToTop) {
  int rows = items_->rowCount();
  SendMessageA(itemList_, LVM_SETITEMCOUNT, 0, 0);
  SendMessageA(itemList_, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(itemList_, nullptr, FALSE);
  drawHeaders();
  int item = keepKey.empty() ? 0 : std::max(0, items_->findItem(keepKey));
  if (rows > 0) {
    ListView_SetItemState(itemList_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(itemList_, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(itemList_, scrollToTop ? 0 : item, FALSE);
    if (!scrollToTop) ListView_EnsureVisible(itemList_, item, FALSE);
  }
  if (!groupDb_.execute(search::kTitleCountQuery))
    setStatus(0, search::titleCountText(std::atoll(groupDb_.cell(1, 0).c_str())));
  setStatus(1, search::hitCountText(rows));
  showCurrentItem();
}

void MainWindow::refreshGroupPane() {
  SendMessageA(groupList_, LB_RESETCONTENT, 0, 0);
  groupValues_.clear();
  std::string query = search::groupQuery(groupKind_, items_->statements().search);
  if (search::runReadOnly(groupDb_, checker_, query)) return;
  // Kept apart: the group connection runs the title count after every list.
  for (int row = 1; row <= groupDb_.rowCount(); ++row) groupValues_.push_back(groupDb_.cell(row, 0));
  int count = search::groupItemCount(groupKind_, static_cast<int>(groupValues_.size()));
  for (int item = 0; item < count; ++item) {
    std::string label = search::groupItemText(groupKind_, item, groupValue(item));
    SendMessageA(groupList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
  }
}

// Item 0 is "<全て>"; items 1.. are the group statement's rows.
std::string MainWindow::groupValue(int item) const {
  return item > 0 && item <= static_cast<int>(groupValues_.size()) ? groupValues_[item - 1] : std::string();
}

void MainWindow::selectGroupItem(int index) {
  if (index < 0) return;
  std::string key = currentKey();
  items_->statements().group = search::groupFilterStatement(groupKind_, index, groupValue(index));
  if (!items_->sort(search::kResetSort, search::SortMode::Toggle)) {
    sink_->show(sjis("ビュー選択できませんでした。\n"), "GroupDown", platform::MessageIcon::Error,
                platform::MessageButtons::Ok);
  }
  showList(key, false);
}

std::string MainWindow::currentKey() const {
  int index = ListView_GetNextItem(itemList_, -1, LVNI_FOCUSED);
  return index >= 0 && index < items_->rowCount() ? items_->fileNameAt(index) : std::string();
}

void MainWindow::showCurrentItem() {
  int index = ListView_GetNextItem(itemList_, -1, LVNI_FOCUSED);
  if (index < 0 || index >= items_->rowCount()) {
    SetWindowTextA(info_, "");
    return;
  }
  std::string text;
  for (const auto& [label, column] : kInfoFields) text += sjis(label) + ": " + items_->cell(index, column) + "\r\n";
  SetWindowTextA(info_, text.c_str());
}

LRESULT MainWindow::onNotify(NMHDR* header) {
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
      } else if (column == 4) {
        value = search::saleYearText(value);
      } else if (column == 6) {
        value = search::lastBootText(value);
      } else if (column == 13) {
        value = search::adultexText(value);
      }
      lstrcpynA(info->item.pszText, value.c_str(), info->item.cchTextMax);
    } else if (header->code == LVN_ITEMCHANGED) {
      showCurrentItem();
    } else if (header->code == LVN_COLUMNCLICK) {
      auto* click = reinterpret_cast<NMLISTVIEW*>(header);
      if (click->iSubItem < static_cast<int>(shownColumns_.size()))
        sortList(shownColumns_[click->iSubItem], search::SortMode::Toggle);
    }
    return 0;
  }
  if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
    groupKind_ = static_cast<search::GroupKind>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0));
    refreshGroupPane();
  }
  return 0;
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
  search::ColumnLayout columns = search::columnLayout(settings_);
  for (std::size_t i = 0; i < shownColumns_.size(); ++i)
    columns.width[shownColumns_[i]] = static_cast<int>(SendMessageA(itemList_, LVM_GETCOLUMNWIDTH, i, 0));
  search::storeColumnLayout(settings_, columns);
  search::rememberQuery(settings_, items_->statements(), currentKey(), items_->sortState(), items_->readingSort());
  saveAtShutdown(settings_, settingsFile(app_), app_.upgradeDeclined);
}

void MainWindow::onDestroy() {
  if (app_.databaseReady && items_) saveSettings();
  if (font_) DeleteObject(font_);
  PostQuitMessage(0);
}

}  // namespace qm::shell

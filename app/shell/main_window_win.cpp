#include "app/shell/main_window_win.h"

#include <commctrl.h>

#include "app/shell/database_startup.h"
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

struct ListColumn {
  const char* header;  // UTF-8
  int viewColumn;      // position in list_view
  bool shownByDefault;
};

// The item list's columns and the list_view position each one shows.
constexpr ListColumn kColumns[] = {
    {"タイトル", 2, true},       {"メーカー", 4, true},       {"機種/ジャンル", 1, true},
    {"評価", 11, true},          {"発売日", 10, true},        {"起動回数", 12, true},
    {"最終起動日", 13, true},    {"開発元", 5, false},        {"型番", 36, false},
    {"価格", 37, false},         {"メディア情報", 38, false}, {"対応機器", 39, false},
    {"プレイヤー数", 40, false}, {"拡張R指定", 41, false},    {"セーブデータ情報", 43, false},
    {"サウンド情報", 44, false}, {"プレイ時間", 46, false},   {"読み仮名", 47, false},
};

constexpr const char* kGroupTabs[] = {"メーカー", "ジャンル", "R指定", "機種", "評価"};
constexpr const char* kGroupFields[] = {"maker", "genre_name", "adult", "machine_name", "rating"};

std::string listViewStatement() {
  return "CREATE VIEW list_view AS SELECT file_name,machine_name,title,version,maker,developer,genre_name,adult,"
         "media_name,country,sale_year,rating,boot_count,last_boot,machine_num,media_num,genre_num,ply,snap_path,"
         "file_title,file_ext,file_arc_title,file_arc_ext,creator,memo,associate,crc,crc32,rom_num,snap1,snap2,"
         "snap3,snap_dtt,snap_path2,snap_path3,snap_dtm,breed,price,media_detail,device,players,adultex_name,"
         "adultex_num,savedat_detail,sound_detail,alter_ego,play_time,kana,fave,maxdisk,emuset_name "
         "FROM main_table "
         "LEFT JOIN machine_info_table ON machine_name = machine "
         "LEFT JOIN media_info_table ON media_name = media "
         "LEFT JOIN genre_info_table ON genre_name = genre "
         "LEFT JOIN creator_table ON file_name = pfile_cr "
         "LEFT JOIN memo_table ON file_name = pfile_mm "
         "LEFT JOIN snap_path_table ON file_name = pfile_sp "
         "LEFT JOIN spec_table ON file_name = pfile_sc "
         "LEFT JOIN alter_ego_table ON file_name = pfile_ae "
         "LEFT JOIN adultex_info_table ON adultex = spec_table.adultex_name "
         "LEFT JOIN favorite_table ON file_name = pfile_fv "
         "LEFT JOIN tmp_maxdisk ON file_name = pfile_md_tmp "
         "LEFT JOIN use_emuset_table ON file_name = pfile_ue "
         "WHERE ply<2 ;";
}

class WindowSink : public platform::MessageSink {
public:
  explicit WindowSink(HWND owner) : owner_(owner) {}
  platform::MessageAnswer show(const std::string& text, const std::string& caption, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    return platform::makeWindowSink(owner_)->show(text, caption, icon, buttons);
  }

private:
  HWND owner_;
};

HWND child(HWND parent, const char* cls, DWORD style, int id, DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
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
  platform::IniFile ini(app_.settingsPath);
  int width = ini.getInt("Window", "Width", 850);
  int height = ini.getInt("Window", "Height", 580);
  int x = ini.getInt("Window", "PositionX", (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  int y = ini.getInt("Window", "PositionY", (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  separateX_ = ini.getInt("Window", "SeparateX", 170);
  separateY_ = ini.getInt("Window", "SeparateY", 260);
  CreateWindowExA(0, kMainClass, "Quillmoor2", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, x, y, width, height, nullptr,
                  nullptr, app_.instance, this);
  if (!app_.databaseReady || !hwnd_) return false;
  busy_.create(app_.instance, platform::joinPath(platform::joinPath(app_.programFolder, "resource"), "wait_anime.bmp"));
  return hwnd_ != nullptr;
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
        firstPaintDone_ = true;
        ValidateRect(hwnd_, nullptr);
        PostMessageA(hwnd_, WM_APP, 0, 0);
        return 0;
      }
      break;
    case WM_APP:
      onFirstPaint();
      return 0;
    case WM_NOTIFY:
      return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) == kGroupListId && HIWORD(wParam) == LBN_SELCHANGE) {
        selectGroupItem(static_cast<int>(SendMessageA(groupList_, LB_GETCURSEL, 0, 0)));
        return 0;
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
  createPanes();
  WindowSink sink(hwnd_);
  DatabaseStartup startup;
  startup.programFolder = app_.programFolder;
  startup.settingsPath = app_.settingsPath;
  app_.databaseReady = prepareDatabase(startup, hwnd_, sink);
  app_.upgradeDeclined = startup.upgradeDeclined;
  app_.dbPath = startup.dbPath;
  if (!app_.databaseReady) return false;
  // Opened once the library has made the file ready, so a failed creation
  // can discard a file nobody holds open.
  listDb_.open(app_.dbPath);
  groupDb_.open(app_.dbPath);
  listDb_.execute("DROP VIEW list_view;");
  platform::createFolder(platform::joinPath(app_.programFolder, "TEMP"));
  platform::createFolder(platform::joinPath(app_.programFolder, "color_theme"));
  return true;
}

void MainWindow::createPanes() {
  font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
  tab_ = child(hwnd_, WC_TABCONTROLA, WS_CLIPSIBLINGS | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_MULTILINE, kTabId);
  for (int i = 0; i < 5; ++i) {
    std::string label = sjis(kGroupTabs[i]);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  groupList_ = child(hwnd_, "LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kGroupListId, WS_EX_CLIENTEDGE);
  queryTree_ = child(hwnd_, WC_TREEVIEWA, TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS, kTreeId, WS_EX_CLIENTEDGE);
  itemList_ = child(hwnd_, WC_LISTVIEWA, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, kItemListId, WS_EX_CLIENTEDGE);
  SendMessageA(itemList_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  info_ = child(hwnd_, "EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL, kInfoId, WS_EX_CLIENTEDGE);
  status_ = child(hwnd_, STATUSCLASSNAMEA, SBARS_SIZEGRIP, kStatusId);
  int parts[] = {170, 330, 420, 520, -1};
  SendMessageA(status_, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(parts));
  for (HWND pane : {tab_, groupList_, queryTree_, itemList_, info_, status_})
    SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  platform::IniFile ini(app_.settingsPath);
  for (int i = 0; i < 18; ++i) {
    char key[16];
    wsprintfA(key, "clm_disp%02d", i + 1);
    if (!ini.getInt("ItemList", key, kColumns[i].shownByDefault ? 1 : 0)) continue;
    wsprintfA(key, "clm%02d", i + 1);
    int width = ini.getInt("ItemList", key, 150);
    std::string header = sjis(kColumns[i].header);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width < 1 ? 150 : width;
    column.pszText = header.data();
    SendMessageA(itemList_, LVM_INSERTCOLUMNA, shownColumns_.size(), reinterpret_cast<LPARAM>(&column));
    shownColumns_.push_back(i);
  }
}

void MainWindow::layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  SendMessageA(status_, WM_SIZE, 0, 0);
  RECT statusRect;
  GetWindowRect(status_, &statusRect);
  int bottom = client.bottom - (statusRect.bottom - statusRect.top);
  int left = separateX_;
  int groupBottom = separateY_ < bottom - 40 ? separateY_ : bottom - 40;
  MoveWindow(tab_, 0, 0, left, kTabHeight, TRUE);
  MoveWindow(groupList_, 0, kTabHeight, left, groupBottom - kTabHeight, TRUE);
  MoveWindow(queryTree_, 0, groupBottom + 3, left, bottom - groupBottom - 3, TRUE);
  int listBottom = bottom - kInfoHeight;
  MoveWindow(itemList_, left + 3, 0, client.right - left - 3, listBottom, TRUE);
  MoveWindow(info_, left + 3, listBottom + 3, client.right - left - 3, kInfoHeight - 3, TRUE);
}

void MainWindow::onFirstPaint() {
  platform::IniFile ini(app_.settingsPath);
  ShowWindow(hwnd_, ini.getInt("Window", "Maximize", 0) == 1 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  busy_.enter(hwnd_);
  if (auto error = listDb_.execute(listViewStatement()))
    reportError(sjis("検索ができませんでした。\n"), *error, "DBエラー");
  fillItemList();
  refreshGroupPane();
  busy_.leave(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(itemList_);
}

void MainWindow::fillItemList() {
  std::string statement = groupStatement_.empty() ? "SELECT * FROM list_view ;" : groupStatement_;
  statement = statement.substr(0, statement.rfind(';')) + " ORDER BY title, maker ;";
  if (auto error = listDb_.execute(statement)) {
    reportError(sjis("ビュー選択できませんでした。\n"), *error, "ItemListClmSort:Normal");
    return;
  }
  SendMessageA(itemList_, LVM_SETITEMCOUNT, 0, 0);
  SendMessageA(itemList_, LVM_SETITEMCOUNT, listDb_.rowCount(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(itemList_, nullptr, TRUE);
  groupDb_.execute("SELECT COUNT(*) FROM main_table WHERE ply<2;");
  setStatus(0, sjis(" 全タイトル数: ") + groupDb_.cell(1, 0) + sjis(" 件"));
  setStatus(1, sjis(" 検索件数: ") + std::to_string(listDb_.rowCount()) + sjis(" 件"));
  if (listDb_.rowCount() > 0) {
    ListView_SetItemState(itemList_, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  showCurrentItem();
}

void MainWindow::refreshGroupPane() {
  SendMessageA(groupList_, LB_RESETCONTENT, 0, 0);
  std::string field = kGroupFields[groupKind_];
  std::string query = "SELECT DISTINCT " + field + " FROM list_view" + (groupKind_ == 2 ? "" : " ORDER BY " + field) + " ;";
  if (groupDb_.execute(query) || groupDb_.rowCount() == 0) return;
  SendMessageA(groupList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis("<全て>").c_str()));
  if (groupKind_ == 2) {
    SendMessageA(groupList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis("あり").c_str()));
    SendMessageA(groupList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis("なし").c_str()));
    return;
  }
  if (groupKind_ == 4) {
    const char* stars[] = {"☆☆☆☆☆", "★☆☆☆☆", "★★☆☆☆", "★★★☆☆", "★★★★☆", "★★★★★"};
    for (const char* s : stars) SendMessageA(groupList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(s).c_str()));
    return;
  }
  for (int row = 1; row <= groupDb_.rowCount(); ++row) {
    std::string value = groupDb_.cell(row, 0);
    if (value.empty()) value = sjis("指定なし");
    SendMessageA(groupList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
  }
}

void MainWindow::selectGroupItem(int index) {
  if (index <= 0) {
    groupStatement_.clear();
  } else if (groupKind_ == 2) {
    groupStatement_ = index == 1 ? "SELECT * FROM list_view WHERE adult=1 ;" : "SELECT * FROM list_view WHERE adult=0 ;";
  } else if (groupKind_ == 4) {
    groupStatement_ = "SELECT * FROM list_view WHERE rating=" + std::to_string((index - 1) * 10) + ";";
  } else {
    groupStatement_ = std::string("SELECT * FROM list_view WHERE ") + kGroupFields[groupKind_] + "=" +
                      db::sqlText(groupDb_.cell(index, 0)) + " ;";
  }
  fillItemList();
}

void MainWindow::showCurrentItem() {
  int index = ListView_GetNextItem(itemList_, -1, LVNI_FOCUSED);
  if (index < 0 || index >= listDb_.rowCount()) {
    SetWindowTextA(info_, "");
    return;
  }
  const std::pair<const char*, int> fields[] = {
      {"タイトル", 2}, {"機種", 1},    {"メーカー", 4},   {"ジャンル", 6}, {"メディア", 8},
      {"発売日", 10},  {"CRC32", 27},  {"読み仮名", 47},  {"メモ", 24},    {"ファイル", 0},
  };
  std::string text;
  for (const auto& [label, column] : fields) text += sjis(label) + ": " + listDb_.cell(index + 1, column) + "\r\n";
  SetWindowTextA(info_, text.c_str());
}

LRESULT MainWindow::onNotify(NMHDR* header) {
  if (header->hwndFrom == itemList_ && header->code == LVN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    if (!(info->item.mask & LVIF_TEXT) || info->item.iSubItem >= static_cast<int>(shownColumns_.size())) return 0;
    const ListColumn& column = kColumns[shownColumns_[info->item.iSubItem]];
    std::string value = listDb_.cell(info->item.iItem + 1, column.viewColumn);
    lstrcpynA(info->item.pszText, value.c_str(), info->item.cchTextMax);
    return 0;
  }
  if (header->hwndFrom == itemList_ && header->code == LVN_ITEMCHANGED) {
    showCurrentItem();
    return 0;
  }
  if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
    groupKind_ = static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0));
    refreshGroupPane();
    return 0;
  }
  return 0;
}

void MainWindow::setStatus(int part, const std::string& text) {
  SendMessageA(status_, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::reportError(const std::string& message, const std::string& detail, const char* caption) {
  std::string title = sjis(caption);
  MessageBoxA(hwnd_, (message + detail).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

void MainWindow::onDestroy() {
  if (app_.databaseReady && !app_.upgradeDeclined) {
    platform::IniFile ini(app_.settingsPath);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd_, &placement);
    const RECT& r = placement.rcNormalPosition;
    ini.writeInt("Window", "PositionX", r.left);
    ini.writeInt("Window", "PositionY", r.top);
    ini.writeInt("Window", "Width", r.right - r.left);
    ini.writeInt("Window", "Height", r.bottom - r.top);
    ini.writeString("Window", "Maximize", IsZoomed(hwnd_) ? "1" : "0");
  }
  if (font_) DeleteObject(font_);
  PostQuitMessage(0);
}

}  // namespace qm::shell

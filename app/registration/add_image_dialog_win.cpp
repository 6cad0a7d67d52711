#include "app/registration/add_image_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/masters/machine_precondition.h"
#include "app/masters/master_sql.h"
#include "app/records/release_date.h"
#include "app/registration/add_image_request.h"
#include "app/registration/progress_window_win.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/tab_pages_win.h"
#include "app/ui/folder_browser_win.h"
#include "app/ui/html_help_win.h"
#include "app/ui/message_box_win.h"
#include "app/ui/win_handles_win.h"
#include "common/db/db_connection.h"
#include "common/db/max_disk.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::registration {
namespace {

using platform::MessageIcon;
using text::sjis;

enum Control : int {
  kTab = 1200,
  kPath = 1201,
  kBrowse,
  kSubfolders,
  kArchives,
  kMachine,
  kExtensions,
  kMedia,
  kGenre,
  kTitle,
  kMaker,
  kVersion,
  kAdult,
  kSaleYear,
  kYearFromPath,
  kCountries,
  kCountryFromPath,
  kDefaultCountry,
  kStripBrackets,
  kArchiveSets = 1220,
  kArchiveSetTitles,
  kFolderSets,
  kCrc32,
  kCrc16,
  kCrcOffset,
  kCrcLength,
  kOverwrite = 1230,
  kKeepFavourites,
  kStart,
  kClose,
  kHelp,
};

constexpr const char* kTitleModes[] = {"ファイル名をタイトルとする", "ファイル名の ( , [ より前をタイトルとする",
                                       "+-- 更に先頭の数値記号は除去する", "ファイルの親フォルダ名をタイトルとする",
                                       "+-- 更に ( , [ より前をタイトルとする"};
constexpr const char* kMakerModes[] = {"指定しない", "ファイルの親フォルダ名をメーカーとする"};
constexpr const char* kVersionModes[] = {"指定しない", "ファイル名の ( , [ 以降をバーションとする",
                                         "+-- 更に下記国指定と年号らしきは除去", "ファイルの親フォルダ名の ( , [ 以降"};

// The last path chosen with the browse button since the program started.
std::string& lastBrowsedPath() {
  static std::string path;
  return path;
}

void showError(HWND owner, const char* utf8, const std::string& reason) {
  ui::showError(owner, sjis(utf8) + reason, sjis("DBエラー"));
}

class AddImageDialog : public ui::DialogWindow {
public:
  AddImageDialog(const RunPlace& place) : place_(place) {}
  void open() { runModal(place_.mainWindow, sjis("イメージファイルの追加"), 690, 500); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kPath; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void destroying() override;

  HWND check(const char* utf8, int id, int x, int y, int width);
  HWND combo(int id, int x, int y, int width);
  void fillList(int id, const std::vector<std::string>& entries);
  bool fillFromQuery(int id, const std::string& sql, bool withNone, const char* failure);
  void machineChanged();
  void updateEnabling();
  void browse();
  void showHelp();
  void startRun();
  AddImageChoices gather() const;
  std::string comboText(int id) const { return ui::comboSelectedText(item(id)); }
  int comboIndex(int id) const { return static_cast<int>(SendMessageA(item(id), CB_GETCURSEL, 0, 0)); }


  const RunPlace& place_;
  db::DbConnection db_;
  ui::TabPages pages_;
};

HWND AddImageDialog::check(const char* utf8, int id, int x, int y, int width) {
  HWND box = add("BUTTON", sjis(utf8), BS_AUTOCHECKBOX | WS_TABSTOP, id, x, y, width, 18);
  pages_.take(item(id));
  return box;
}

HWND AddImageDialog::combo(int id, int x, int y, int width) {
  HWND list = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id, x, y, width, 300);
  pages_.take(item(id));
  return list;
}

void AddImageDialog::fillList(int id, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries)
    SendMessageA(item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(item(id), CB_SETCURSEL, 0, 0);
}

bool AddImageDialog::fillFromQuery(int id, const std::string& sql, bool withNone, const char* failure) {
  std::vector<std::string> entries;
  if (withNone) entries.push_back(sjis("指定なし"));
  if (auto error = db_.execute(sql)) {
    if (failure) showError(hwnd(), failure, *error);
    fillList(id, entries);
    return false;
  }
  for (int row = 1; row <= db_.rowCount(); ++row) entries.push_back(db_.cell(row, 0));
  fillList(id, entries);
  return true;
}

void AddImageDialog::createControls() {
  db_.open(place_.dbPath);
  HWND tab = add(WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, kTab, 10, 10, 670, 400);
  pages_.create(tab, {sjis("基本設定"), sjis("高度な設定")});
  const StoredChoices stored = loadStoredChoices(platform::IniFile(place_.settingsPath));

  // Page 0: the path, what to search, and how rows are filled.
  pages_.fill(0);
  auto text = [this](const char* utf8, int x, int y, int width, int id = 0) {
    add("STATIC", sjis(utf8), SS_LEFT | SS_NOPREFIX, id, x, y, width, 16);
    if (id) pages_.take(item(id));
  };
  int labelId = 1260;  // labels get ids of their own, so that a page can hide them
  auto pageLabel = [&](const char* utf8, int x, int y, int width) { text(utf8, x, y, width, labelId++); };
  pageLabel("イメージファイル（ROMやDISK）、または検索するフォルダ", 24, 44, 500);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kPath, 24, 62, 590, 22, WS_EX_CLIENTEDGE);
  SendMessageA(item(kPath), EM_LIMITTEXT, 259, 0);
  add("BUTTON", ". .", BS_PUSHBUTTON | WS_TABSTOP, kBrowse, 620, 62, 46, 22);
  pages_.take(item(kPath));
  pages_.take(item(kBrowse));
  check("サブディレクトリも検索する", kSubfolders, 24, 92, 300);
  check("アーカイブされたイメージも検索する", kArchives, 330, 92, 330);
  pageLabel("機種 （検索する拡張子にも影響します）", 24, 120, 300);
  pageLabel("メディアタイプ", 340, 120, 150);
  pageLabel("ジャンル", 500, 120, 160);
  combo(kMachine, 24, 138, 300);
  combo(kMedia, 340, 138, 150);
  combo(kGenre, 500, 138, 166);
  text("", 24, 166, 640, kExtensions);
  pageLabel("タイトル", 24, 190, 300);
  pageLabel("メーカー", 340, 190, 150);
  pageLabel("バージョン", 500, 190, 160);
  combo(kTitle, 24, 208, 300);
  combo(kMaker, 340, 208, 150);
  combo(kVersion, 500, 208, 166);
  check("R指定に設定する", kAdult, 24, 240, 300);
  pageLabel("発売年", 24, 268, 60);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kSaleYear, 90, 265, 100, 22, WS_EX_CLIENTEDGE);
  pages_.take(item(kSaleYear));
  check("ファイルパスに年号らしき数字4ケタが見つかれば発売年とする", kYearFromPath, 200, 267, 466);
  pageLabel("国情報", 24, 298, 300);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kCountries, 24, 316, 642, 22, WS_EX_CLIENTEDGE);
  SendMessageA(item(kCountries), EM_LIMITTEXT, 1023, 0);
  pages_.take(item(kCountries));
  check("ファイルパスに上記文字列が見つかれば国情報として格納する（チェックOFFで文字列全てを国情報として格納）",
        kCountryFromPath, 24, 344, 642);
  check("見つからない場合、上記1番目の文字列をデフォルト国情報とする（チェックOFFで国を指定しない）", kDefaultCountry,
        24, 364, 642);
  check("格納する際は ( ) [ ] を除去する", kStripBrackets, 24, 384, 642);

  // Page 1: multi-image sets and CRCs.
  pages_.fill(1);
  add("BUTTON", sjis("複数枚組イメージ"), BS_GROUPBOX, labelId, 24, 44, 642, 96);
  pages_.take(item(labelId++));
  check("アーカイブ内の複数イメージを、同じタイトルの複数枚組イメージにする", kArchiveSets, 40, 66, 610);
  check("タイトルに[拡張子]---[内部ファイル名]を付加する", kArchiveSetTitles, 60, 88, 590);
  check("同じフォルダ内にある非アーカイブのイメージを、同じタイトルの複数枚組イメージにする", kFolderSets, 40, 110,
        610);
  add("BUTTON", "CRC", BS_GROUPBOX, labelId, 24, 152, 642, 110);
  pages_.take(item(labelId++));
  check("CRC32を計算する", kCrc32, 40, 174, 300);
  check("CRC16を計算する", kCrc16, 40, 196, 300);
  pageLabel("開始位置", 40, 228, 70);
  add("EDIT", "0", ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, kCrcOffset, 112, 225, 100, 22, WS_EX_CLIENTEDGE);
  pageLabel("バイト（長）", 232, 228, 80);
  add("EDIT", "0", ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, kCrcLength, 316, 225, 100, 22, WS_EX_CLIENTEDGE);
  pages_.take(item(kCrcOffset));
  pages_.take(item(kCrcLength));
  pages_.fill(-1);

  check("ライブラリ登録済イメージも新しい設定で上書き", kOverwrite, 14, 420, 420);
  check("お気に入りは上書きしない", kKeepFavourites, 34, 442, 300);
  add("BUTTON", sjis("取り込み開始"), BS_PUSHBUTTON | WS_TABSTOP, kStart, 398, 464, 90, 26);
  add("BUTTON", sjis("閉じる"), BS_PUSHBUTTON | WS_TABSTOP, kClose, 494, 464, 90, 26);
  add("BUTTON", sjis("ヘルプ"), BS_PUSHBUTTON | WS_TABSTOP, kHelp, 590, 464, 90, 26);

  auto listOf = [](const auto& utf8s) {
    std::vector<std::string> out;
    for (const char* entry : utf8s) out.push_back(sjis(entry));
    return out;
  };
  fillList(kTitle, listOf(kTitleModes));
  fillList(kMaker, listOf(kMakerModes));
  fillList(kVersion, listOf(kVersionModes));
  using master::Kind;
  fillFromQuery(kMachine, master::sql::namesInOrder(Kind::Machine), false,
                "機種管理テーブルを参照できませんでした\n");
  fillFromQuery(kMedia, master::sql::namesInOrder(Kind::Media), true, nullptr);
  fillFromQuery(kGenre, master::sql::namesInOrder(Kind::Genre), true,
                "ジャンル管理テーブルを参照できませんでした\n");

  const std::pair<int, bool> boxes[] = {
      {kSubfolders, stored.searchSubfolders},  {kArchives, stored.searchArchives},
      {kCountryFromPath, stored.countryFromPath}, {kDefaultCountry, stored.defaultCountry},
      {kStripBrackets, stored.stripBrackets},  {kArchiveSets, stored.archiveSets},
      {kArchiveSetTitles, stored.archiveSetTitles}, {kFolderSets, stored.folderSets},
      {kCrc32, stored.crc32},                  {kCrc16, stored.crc16},
  };
  for (const auto& [id, on] : boxes) DialogWindow::check(id, on);
  setText(kCountries, stored.countries);
  machineChanged();
  updateEnabling();
  pages_.show(0);
}

void AddImageDialog::machineChanged() {
  const std::string machine = comboText(kMachine);
  if (auto error = db_.execute(master::sql::machineDefaults(machine))) {
    showError(hwnd(), "機種管理テーブルを参照できませんでした。\n", *error);
    return;
  }
  const std::string media = db_.rowCount() > 0 ? db_.cell(1, 0) : std::string();
  const std::string extensions = db_.rowCount() > 0 ? db_.cell(1, 1) : std::string();
  LRESULT index = media.empty() ? CB_ERR
                                : SendMessageA(item(kMedia), CB_FINDSTRINGEXACT, 0,
                                               reinterpret_cast<LPARAM>(media.c_str()));
  SendMessageA(item(kMedia), CB_SETCURSEL, index == CB_ERR ? 0 : index, 0);
  setText(kExtensions, extensionLabel(extensions));
}

void AddImageDialog::updateEnabling() {
  enable(kKeepFavourites, checked(kOverwrite));
  enable(kArchiveSetTitles, checked(kArchiveSets));
}

void AddImageDialog::browse() {
  std::string start = textOf(kPath);
  if (start.empty()) start = lastBrowsedPath();
  const auto chosen = ui::browseForFolder(hwnd(), sjis("イメージファイルまたは検索するフォルダを選択してください"), start,
                                          ui::BrowseFor::FoldersAndFiles);
  if (!chosen) return;
  setText(kPath, *chosen);
  lastBrowsedPath() = *chosen;
}

AddImageChoices AddImageDialog::gather() const {
  AddImageChoices c;
  c.stored = {checked(kSubfolders),    checked(kArchives),     textOf(kCountries),  checked(kCountryFromPath),
              checked(kDefaultCountry), checked(kStripBrackets), checked(kArchiveSets), checked(kArchiveSetTitles),
              checked(kFolderSets),    checked(kCrc32),        checked(kCrc16)};
  c.path = textOf(kPath);
  c.machine = comboText(kMachine);
  // Entry 0 of both lists is "指定なし".
  c.media = comboIndex(kMedia) > 0 ? comboText(kMedia) : std::string();
  c.genre = comboIndex(kGenre) > 0 ? comboText(kGenre) : std::string();
  c.titleMode = std::max(0, comboIndex(kTitle));
  c.makerMode = std::max(0, comboIndex(kMaker));
  c.versionMode = std::max(0, comboIndex(kVersion));
  c.adult = checked(kAdult);
  c.saleYear = textOf(kSaleYear);
  c.yearFromPath = checked(kYearFromPath);
  c.crcOffset = textOf(kCrcOffset);
  c.crcLength = textOf(kCrcLength);
  c.overwrite = checked(kOverwrite);
  c.keepFavourites = checked(kKeepFavourites);
  return c;
}

void AddImageDialog::startRun() {
  const AddImageChoices choices = gather();
  if (choices.path.empty()) {
    ui::showBox(hwnd(), sjis("イメージファイルまたはフォルダを指定してください。"), "", MessageIcon::Information);
    return;
  }
  if (ui::showBox(hwnd(), startQuestion(choices.machine, choices.path), "", MessageIcon::Question,
                  platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
    return;
  if (!records::releaseDateValid(choices.saleYear)) {
    ui::showBox(hwnd(), records::releaseDateRefusal(), "", MessageIcon::Information);
    return;
  }
  runProgressWindow(hwnd(), place_, choices);
  db::rebuildMaxDisk(place_.dbPath);
  if (hwnd()) SetForegroundWindow(hwnd());
}

LRESULT AddImageDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    endModal();
    return 0;
  }
  if (message == WM_CTLCOLORSTATIC) {
    if (HBRUSH brush = pages_.colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
      return reinterpret_cast<LRESULT>(brush);
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->idFrom == kTab && header->code == TCN_SELCHANGE)
      pages_.show(pages_.chosen());
    return 0;
  }
  if (message == WM_COMMAND) {
    const int id = LOWORD(wParam);
    switch (id) {
      case kMachine:
        if (HIWORD(wParam) == CBN_SELCHANGE) machineChanged();
        return 0;
      case kOverwrite:
      case kArchiveSets:
        updateEnabling();
        return 0;
      case kBrowse: browse(); return 0;
      case kStart: startRun(); return 0;
      case kHelp: showHelp(); return 0;
      case kClose:
      case IDCANCEL: endModal(); return 0;
    }
  }
  return DialogWindow::handle(message, wParam, lParam);
}

// The dialog's topic is named after its window name, "DirAddDlg".
void AddImageDialog::showHelp() { ui::openHelp(hwnd(), place_.programFolder, "DirAddDlg.htm"); }

void AddImageDialog::destroying() {
  const platform::IniFile ini(place_.settingsPath);
  saveStoredChoices(ini, gather().stored);
}

}  // namespace

bool openAddImageDialog(const RunPlace& place) {
  const auto sink = platform::makeWindowSink(place.mainWindow);
  if (!master::haveMachine(place.dbPath, master::MachineNeed::AddImages, *sink)) return false;
  AddImageDialog dialog(place);
  dialog.open();
  return true;
}

}  // namespace qm::registration

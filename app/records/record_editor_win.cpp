#include "app/records/record_editor_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>

#include "app/launch/emulator_setting.h"
#include "app/masters/master_sql.h"
#include "app/masters/snap_display.h"
#include "app/records/field_suggest_win.h"
#include "app/records/record_load.h"
#include "app/records/record_save.h"
#include "app/records/title_pictures.h"
#include "app/settings/settings.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/folder_browser_win.h"
#include "app/ui/tab_pages_win.h"
#include "common/db/db_connection.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "common/text/reading_settings.h"
#include "common/text/smart_title.h"
#include "common/text/text_normalizer.h"

namespace qm::records {
namespace {

using text::sjis;

enum Control : int {
  kTab = 1300,
  kFile,
  kSetList,
  kSetUp,
  kSetDown,
  kTitle,
  kTitleToKana,
  kKana,
  kVersion,
  kMaker,
  kDeveloper,
  kMachine,
  kGenre,
  kMedia,
  kCountry,
  kSaleYear,
  kTag,
  kAdult,
  kTitleIncr,
  kMakerIncr,
  kDeveloperIncr,
  kCountryIncr,
  kCreators,
  kMemo = 1330,
  kAssocList,
  kAssocEntry,
  kAssocAdd,
  kAssocRemove,
  kSnap1 = 1340,
  kSnapBrowse1 = 1343,
  kSnapOff = 1346,
  kSnapFill,
  kSnapFit,
  kSnapPortrait,
  kSnapThreshold,
  kSnapTallMode,
  kSnapShortMode,
  kDetail1 = 1360,  // the seven detail fields
  kAdultMark = 1367,
  kEmulator,
  kLabels = 1400,  // labels get ids of their own, so that a page can hide them
};

// The fields whose drop-downs look up the library's values, with their check boxes.
struct Suggesting {
  int combo;
  int check;
  Setting setting;
  const char* field;
};
constexpr Suggesting kSuggesting[] = {{kTitle, kTitleIncr, Setting::EditTitleIncrSrch, "title"},
                                      {kMaker, kMakerIncr, Setting::EditMakerIncrSrch, "maker"},
                                      {kDeveloper, kDeveloperIncr, Setting::EditDeveloperIncrSrch, "developer"},
                                      {kCountry, kCountryIncr, Setting::EditCountryIncrSrch, "country"}};

constexpr const char* kDetailLabels[kDetailCount] = {"型番",         "価格",         "メディア情報", "対応デバイス",
                                                     "プレイ人数",   "セーブデータ情報", "サウンド情報"};
constexpr int kTextLimit = 256;
constexpr int kFirstPage = 0;

// Edit fields want CR LF; texts stored by other means may hold bare LFs.
std::string windowsLineEnds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

class RecordEditor : public ui::DialogWindow {
public:
  RecordEditor(const EditorPlace& place, LoadedRecord loaded) : place_(place), loaded_(std::move(loaded)) {}
  bool open() { return runModal(place_.owner, sjis("レコード編集"), 660, 560) == IDOK; }
  const SaveResult& result() const { return result_; }
  const Record& saved() const { return saved_; }

private:
  void createControls() override;
  int focusAtOpen() const override { return kTitle; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND pageLabel(const char* utf8, int x, int y, int width);
  HWND pageEdit(int id, int x, int y, int width, DWORD style = ES_AUTOHSCROLL, int height = 22);
  HWND pageCombo(int id, int x, int y, int width, bool typed);
  HWND pageCheck(const char* utf8, int id, int x, int y, int width, DWORD style = BS_AUTOCHECKBOX);
  void createBasicPage();
  void createMemoPage();
  void createSnapPage();
  void createDetailPage();
  void fillChoices(int id, const std::vector<std::string>& entries, const std::string& selected, bool withNone);
  std::vector<std::string> masterNames(master::Kind kind);
  void fillEmulators();
  void showRecord();
  void showSnapDisplay();
  void updateSnapControls();
  void moveSetEntry(int step);
  void addAssociate();
  void removeAssociate();
  void browseSnap(int slot);
  void titleChanged();
  void save();
  Record gather() const;
  std::string choice(int id) const;
  void listLines(int id, const std::vector<std::string>& lines) const;
  std::vector<std::string> listLines(int id) const;

  const EditorPlace& place_;
  LoadedRecord loaded_;
  db::DbConnection db_;
  Settings settings_;
  ui::TabPages pages_;
  int labelId_ = kLabels;
  FieldSuggest suggest_[4];
  std::unique_ptr<text::TextNormalizer> reading_;
  SaveResult result_;
  Record saved_;
};

HWND RecordEditor::pageLabel(const char* utf8, int x, int y, int width) {
  return pages_.take(add("STATIC", sjis(utf8), SS_LEFT | SS_NOPREFIX, labelId_++, x, y, width, 16));
}

HWND RecordEditor::pageEdit(int id, int x, int y, int width, DWORD style, int height) {
  HWND box = pages_.take(add("EDIT", "", style | WS_TABSTOP, id, x, y, width, height, WS_EX_CLIENTEDGE));
  SendMessageA(box, EM_LIMITTEXT, (style & ES_MULTILINE) ? 0 : kTextLimit, 0);
  return box;
}

HWND RecordEditor::pageCombo(int id, int x, int y, int width, bool typed) {
  const DWORD kind = typed ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
  HWND combo = pages_.take(add("COMBOBOX", "", kind | WS_VSCROLL | WS_TABSTOP, id, x, y, width, 300));
  if (typed) SendMessageA(combo, CB_LIMITTEXT, kTextLimit, 0);
  return combo;
}

HWND RecordEditor::pageCheck(const char* utf8, int id, int x, int y, int width, DWORD style) {
  return pages_.take(add("BUTTON", sjis(utf8), style | WS_TABSTOP, id, x, y, width, 20));
}

void RecordEditor::createControls() {
  db_.open(place_.dbPath);
  const platform::IniFile ini(place_.settingsPath);
  loadDialogKeys(settings_, ini, "EditUICheckBoxs");
  loadDialogKeys(settings_, ini, "DetailUnit");
  reading_ = std::make_unique<text::TextNormalizer>(text::readingNormalizeOptions(text::loadReadingOptions(ini)),
                                                     text::loadSymbolTables(ini));
  pages_.create(add(WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, kTab, 10, 10, 640, 500),
                {sjis("基本情報"), sjis("メモ＆関連ファイル"), sjis("スナップ指定"), sjis("詳細・その他")});
  createBasicPage();
  createMemoPage();
  createSnapPage();
  createDetailPage();
  pages_.fill(-1);
  button(sjis("保存"), IDOK, 460, 524, 90, 26);
  button(sjis("キャンセル"), IDCANCEL, 560, 524, 90, 26);
  showRecord();
  pages_.show(kFirstPage);
}

void RecordEditor::createBasicPage() {
  pages_.fill(0);
  pageLabel("イメージファイル", 24, 44, 300);
  pageEdit(kFile, 24, 62, 612, ES_AUTOHSCROLL | ES_READONLY);
  pageLabel("複数イメージ（先頭のイメージが親になります）", 24, 90, 400);
  pages_.take(add("LISTBOX", "", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, kSetList, 24, 108, 540,
                  60, WS_EX_CLIENTEDGE));
  pages_.take(button(sjis("↑"), kSetUp, 572, 108, 64, 26));
  pages_.take(button(sjis("↓"), kSetDown, 572, 140, 64, 26));
  pageLabel("タイトル", 24, 176, 300);
  pageCombo(kTitle, 24, 194, 420, true);
  pageCheck("タイトルから読み仮名を生成", kTitleToKana, 452, 196, 184);
  pageLabel("読み仮名", 24, 224, 300);
  pageEdit(kKana, 24, 242, 300);
  pageLabel("バージョン/コメント", 336, 224, 300);
  pageEdit(kVersion, 336, 242, 300);
  pageLabel("メーカー", 24, 272, 300);
  pageCombo(kMaker, 24, 290, 300, true);
  pageLabel("開発元", 336, 272, 300);
  pageCombo(kDeveloper, 336, 290, 300, true);
  pageLabel("機種", 24, 320, 196);
  pageCombo(kMachine, 24, 338, 196, false);
  pageLabel("ジャンル", 232, 320, 196);
  pageCombo(kGenre, 232, 338, 196, false);
  pageLabel("メディア", 440, 320, 196);
  pageCombo(kMedia, 440, 338, 196, false);
  pageLabel("国", 24, 368, 196);
  pageCombo(kCountry, 24, 386, 196, true);
  pageLabel("発売日 (yyyy-mm-dd)", 232, 368, 150);
  pageEdit(kSaleYear, 232, 386, 120);
  pageLabel("タグ", 364, 368, 272);
  pageEdit(kTag, 364, 386, 272);
  pageCheck("R指定 (Adult)", kAdult, 24, 416, 120);
  pageLabel("入力候補:", 170, 418, 70);
  pageCheck("タイトル", kTitleIncr, 244, 416, 90);
  pageCheck("メーカー", kMakerIncr, 336, 416, 90);
  pageCheck("開発元", kDeveloperIncr, 428, 416, 80);
  pageCheck("国", kCountryIncr, 510, 416, 60);
  pageLabel("クリエイター", 24, 442, 300);
  pageEdit(kCreators, 24, 460, 612, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL, 42);
  SendMessageA(item(kCreators), EM_LIMITTEXT, kCreatorLimit + 1, 0);
  for (std::size_t i = 0; i < std::size(kSuggesting); ++i) suggest_[i].attach(item(kSuggesting[i].combo), kSuggesting[i].field);
}

void RecordEditor::createMemoPage() {
  pages_.fill(1);
  pageLabel("メモ", 24, 44, 300);
  pageEdit(kMemo, 24, 62, 612, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL, 250);
  SendMessageA(item(kMemo), EM_LIMITTEXT, 32768, 0);
  pageLabel("関連ファイル・URL", 24, 322, 300);
  pages_.take(add("LISTBOX", "", LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, kAssocList,
                  24, 340, 612, 100, WS_EX_CLIENTEDGE));
  pageEdit(kAssocEntry, 24, 450, 440);
  pages_.take(button(sjis("追加"), kAssocAdd, 472, 449, 78, 24));
  pages_.take(button(sjis("削除"), kAssocRemove, 558, 449, 78, 24));
}

void RecordEditor::createSnapPage() {
  pages_.fill(2);
  for (int slot = 0; slot < kSnapSlots; ++slot) {
    const int y = 44 + slot * 50;
    const std::string caption = sjis("スナップショット") + std::to_string(slot + 1);
    pages_.take(add("STATIC", caption, SS_LEFT | SS_NOPREFIX, labelId_++, 24, y, 300, 16));
    pageEdit(kSnap1 + slot, 24, y + 18, 520);
    pages_.take(button(sjis("参照..."), kSnapBrowse1 + slot, 552, y + 17, 84, 24));
  }
  pages_.take(add("BUTTON", sjis("スナップショット表示"), BS_GROUPBOX, labelId_++, 16, 200, 628, 150));
  pageCheck("個別設定を使用しない", kSnapOff, 34, 222, 300);
  pageCheck("表示領域全体に表示", kSnapFill, 50, 252, 156, BS_AUTORADIOBUTTON | WS_GROUP);
  pageCheck("内側からフィット", kSnapFit, 214, 252, 156, BS_AUTORADIOBUTTON);
  pageCheck("縦長画像で X に対し Y が", kSnapPortrait, 50, 282, 170, BS_AUTOCHECKBOX | WS_GROUP);
  pageEdit(kSnapThreshold, 224, 281, 44, ES_NUMBER | ES_RIGHT);
  SendMessageA(item(kSnapThreshold), EM_LIMITTEXT, 4, 0);
  pageLabel("％ 以上は", 274, 284, 60);
  pageCombo(kSnapTallMode, 338, 281, 230, false);
  for (const char* mode : master::kTallModes)
    SendMessageA(item(kSnapTallMode), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(mode).c_str()));
  pageLabel("未満は", 274, 316, 60);
  pageCombo(kSnapShortMode, 338, 313, 230, false);
  for (const char* mode : master::kShortModes)
    SendMessageA(item(kSnapShortMode), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(mode).c_str()));
}

void RecordEditor::createDetailPage() {
  pages_.fill(3);
  for (int i = 0; i < kDetailCount; ++i) {
    const int y = 48 + i * 36;
    pageLabel(kDetailLabels[i], 24, y + 3, 130);
    if (i == 1) {
      // The price between the units of section "DetailUnit".
      pages_.take(add("STATIC", settings_.text(Setting::DetailUnitPrice1), SS_RIGHT | SS_NOPREFIX, labelId_++, 156, y + 3,
                      40, 16));
      pageEdit(kDetail1 + i, 200, y, 200);
      pages_.take(add("STATIC", settings_.text(Setting::DetailUnitPrice2) + settings_.text(Setting::DetailUnitPrice3),
                      SS_LEFT | SS_NOPREFIX, labelId_++, 406, y + 3, 230, 16));
      continue;
    }
    pageEdit(kDetail1 + i, 156, y, 480);
  }
  const int y = 48 + kDetailCount * 36 + 10;
  pageLabel("拡張R指定", 24, y + 3, 130);
  pageCombo(kAdultMark, 156, y, 240, false);
  pageLabel("個別エミュレータ設定", 24, y + 39, 130);
  pageCombo(kEmulator, 156, y + 36, 240, false);
}

std::vector<std::string> RecordEditor::masterNames(master::Kind kind) {
  std::vector<std::string> names;
  if (db_.execute(master::sql::namesInOrder(kind))) return names;
  for (int row = 1; row <= db_.rowCount(); ++row) names.push_back(db_.cell(row, 0));
  return names;
}

// A stored value missing from the list (a master entry renamed elsewhere)
// is added, so that saving keeps it.
void RecordEditor::fillChoices(int id, const std::vector<std::string>& entries, const std::string& selected,
                               bool withNone) {
  HWND combo = item(id);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  if (withNone) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis("指定なし").c_str()));
  for (const std::string& entry : entries) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  LRESULT index = withNone ? 0 : CB_ERR;
  const int first = withNone ? 1 : 0;
  for (std::size_t i = 0; i < entries.size() && !selected.empty(); ++i)
    if (entries[i] == selected) index = static_cast<LRESULT>(i) + first;
  if (!selected.empty() && (index == CB_ERR || (withNone && index == 0)))
    index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(selected.c_str()));
  SendMessageA(combo, CB_SETCURSEL, index == CB_ERR ? 0 : index, 0);
}

// The per-image emulator settings of the machine chosen now.
void RecordEditor::fillEmulators() {
  HWND list = item(kEmulator);
  const bool filled = SendMessageA(list, CB_GETCOUNT, 0, 0) > 0;
  const std::string keep = !filled                                      ? loaded_.record.emulator
                           : SendMessageA(list, CB_GETCURSEL, 0, 0) > 0 ? choice(kEmulator)
                                                                        : std::string();
  fillChoices(kEmulator, launch::listSettings(place_.programFolder, choice(kMachine)), keep, true);
}

void RecordEditor::listLines(int id, const std::vector<std::string>& lines) const {
  SendMessageA(item(id), LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines) SendMessageA(item(id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

std::vector<std::string> RecordEditor::listLines(int id) const {
  std::vector<std::string> lines;
  const LRESULT count = SendMessageA(item(id), LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string line(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageA(item(id), LB_GETTEXTLEN, i, 0))), '\0');
    SendMessageA(item(id), LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    lines.push_back(line.c_str());
  }
  return lines;
}

void RecordEditor::showRecord() {
  const Record& r = loaded_.record;
  setText(kFile, r.file);
  listLines(kSetList, r.set);
  for (int id : {kSetList, kSetUp, kSetDown}) enable(id, !r.set.empty());
  setText(kTitle, r.title);
  setText(kKana, r.kana);
  setText(kVersion, r.version);
  setText(kMaker, r.maker);
  setText(kDeveloper, r.developer);
  fillChoices(kMachine, masterNames(master::Kind::Machine), r.machine, false);
  fillChoices(kGenre, masterNames(master::Kind::Genre), r.genre, true);
  fillChoices(kMedia, masterNames(master::Kind::Media), r.media, true);
  fillChoices(kAdultMark, masterNames(master::Kind::Adultex), r.adultMark, true);
  fillEmulators();
  setText(kCountry, r.country);
  setText(kSaleYear, r.saleYear);
  setText(kTag, r.tag);
  check(kAdult, r.adult);
  setText(kCreators, windowsLineEnds(r.creators));
  setText(kMemo, windowsLineEnds(r.memo));
  listLines(kAssocList, r.associates);
  for (int slot = 0; slot < kSnapSlots; ++slot) setText(kSnap1 + slot, r.snaps[static_cast<std::size_t>(slot)]);
  showSnapDisplay();
  for (int i = 0; i < kDetailCount; ++i) setText(kDetail1 + i, r.details[static_cast<std::size_t>(i)]);
  check(kTitleToKana, settings_.number(Setting::EditTitleToKana) == 1);
  for (const auto& s : kSuggesting) check(s.check, settings_.number(s.setting) == 1);
}

void RecordEditor::showSnapDisplay() {
  const std::optional<master::SnapDisplay> own = master::parseSnapDisplay(loaded_.record.snapDisplay);
  const master::SnapDisplay shown = own.value_or(master::SnapDisplay{});
  check(kSnapOff, !own.has_value());
  check(kSnapFill, !shown.fitInside);
  check(kSnapFit, shown.fitInside);
  check(kSnapPortrait, shown.portraitRule);
  setText(kSnapThreshold, std::to_string(shown.threshold));
  SendMessageA(item(kSnapTallMode), CB_SETCURSEL, shown.tallMode, 0);
  SendMessageA(item(kSnapShortMode), CB_SETCURSEL, shown.shortMode, 0);
  updateSnapControls();
}

void RecordEditor::updateSnapControls() {
  const bool own = !checked(kSnapOff);
  const bool rule = own && checked(kSnapPortrait);
  for (int id : {kSnapFill, kSnapFit, kSnapPortrait}) enable(id, own);
  for (int id : {kSnapThreshold, kSnapTallMode, kSnapShortMode}) enable(id, rule);
}

std::string RecordEditor::choice(int id) const {
  return ui::comboSelectedText(item(id));
}

Record RecordEditor::gather() const {
  Record r;
  r.file = loaded_.record.file;
  r.set = listLines(kSetList);
  r.title = textOf(kTitle);
  r.kana = textOf(kKana);
  r.maker = textOf(kMaker);
  r.developer = textOf(kDeveloper);
  r.version = textOf(kVersion);
  r.machine = choice(kMachine);
  // Entry 0 of these lists is "指定なし", saved as empty text.
  auto named = [this](int id) {
    return SendMessageA(item(id), CB_GETCURSEL, 0, 0) > 0 ? choice(id) : std::string();
  };
  r.genre = named(kGenre);
  r.media = named(kMedia);
  r.adultMark = named(kAdultMark);
  r.emulator = named(kEmulator);
  r.adult = checked(kAdult);
  r.country = textOf(kCountry);
  r.saleYear = textOf(kSaleYear);
  r.tag = textOf(kTag);
  r.creators = textOf(kCreators);
  r.memo = textOf(kMemo);
  r.associates = listLines(kAssocList);
  for (int slot = 0; slot < kSnapSlots; ++slot) r.snaps[static_cast<std::size_t>(slot)] = textOf(kSnap1 + slot);
  if (!checked(kSnapOff)) {
    master::SnapDisplay d;
    d.fitInside = checked(kSnapFit);
    d.threshold = std::atoi(textOf(kSnapThreshold).c_str());
    d.portraitRule = checked(kSnapPortrait);
    d.tallMode = static_cast<int>(SendMessageA(item(kSnapTallMode), CB_GETCURSEL, 0, 0));
    d.shortMode = static_cast<int>(SendMessageA(item(kSnapShortMode), CB_GETCURSEL, 0, 0));
    r.snapDisplay = master::snapDisplayText(d);
  }
  for (int i = 0; i < kDetailCount; ++i) r.details[static_cast<std::size_t>(i)] = textOf(kDetail1 + i);
  return r;
}

void RecordEditor::moveSetEntry(int step) {
  std::vector<std::string> set = listLines(kSetList);
  const int at = static_cast<int>(SendMessageA(item(kSetList), LB_GETCURSEL, 0, 0));
  const int to = at + step;
  if (at < 0 || to < 0 || to >= static_cast<int>(set.size())) return;
  std::swap(set[static_cast<std::size_t>(at)], set[static_cast<std::size_t>(to)]);
  listLines(kSetList, set);
  SendMessageA(item(kSetList), LB_SETCURSEL, to, 0);
}

void RecordEditor::addAssociate() {
  const std::string entry = textOf(kAssocEntry);
  if (entry.empty()) return;
  SendMessageA(item(kAssocList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  setText(kAssocEntry, "");
}

void RecordEditor::removeAssociate() {
  const LRESULT at = SendMessageA(item(kAssocList), LB_GETCURSEL, 0, 0);
  if (at >= 0) SendMessageA(item(kAssocList), LB_DELETESTRING, at, 0);
}

// A picture file or a folder to search with the name rules.
void RecordEditor::browseSnap(int slot) {
  const auto chosen = ui::browseForFolder(hwnd(), sjis("スナップショットの画像またはフォルダを選択してください"),
                                          textOf(kSnap1 + slot), ui::BrowseFor::FoldersAndFiles);
  if (chosen) setText(kSnap1 + slot, *chosen);
}

void RecordEditor::titleChanged() {
  if (!checked(kTitleToKana) || !reading_) return;
  std::string kana;
  reading_->convert(textOf(kTitle), kana);
  setText(kKana, kana);
}

void RecordEditor::save() {
  saved_ = gather();
  const platform::IniFile ini(place_.settingsPath);
  const std::string smart = text::smartTitle(saved_.title, text::loadSymbolTables(ini));
  const auto sink = platform::makeWindowSink(hwnd());
  result_ = saveRecord(place_.dbPath, saved_, loaded_.storedSaleYear, smart, *sink);
  if (result_.outcome != SaveOutcome::Saved) return;
  settings_.setNumber(Setting::EditTitleToKana, checked(kTitleToKana) ? 1 : 0);
  for (const auto& s : kSuggesting) settings_.setNumber(s.setting, checked(s.check) ? 1 : 0);
  saveDialogKeys(settings_, ini, "EditUICheckBoxs");
  endModal(IDOK);
}

LRESULT RecordEditor::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) {
    if (HBRUSH brush = pages_.colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
      return reinterpret_cast<LRESULT>(brush);
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->idFrom == kTab && header->code == TCN_SELCHANGE) pages_.show(pages_.chosen());
    return 0;
  }
  if (message != WM_COMMAND) return DialogWindow::handle(message, wParam, lParam);
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  for (std::size_t i = 0; i < std::size(kSuggesting); ++i) {
    if (id != kSuggesting[i].combo || (code != CBN_EDITCHANGE && code != CBN_SELCHANGE)) continue;
    if (code == CBN_EDITCHANGE && checked(kSuggesting[i].check))
      suggest_[i].typed({&db_, place_.migemo, place_.migemoOn, place_.migemoClassLimit, 1});
    if (id == kTitle) {
      // The list's text arrives after the notification.
      if (code == CBN_SELCHANGE) setText(kTitle, choice(kTitle));
      titleChanged();
    }
    return 0;
  }
  switch (id) {
    case kMachine:
      if (code == CBN_SELCHANGE) fillEmulators();
      return 0;
    case kTitleToKana: titleChanged(); return 0;
    case kSetUp: moveSetEntry(-1); return 0;
    case kSetDown: moveSetEntry(1); return 0;
    case kAssocAdd: addAssociate(); return 0;
    case kAssocRemove: removeAssociate(); return 0;
    case kSnapOff:
    case kSnapPortrait: updateSnapControls(); return 0;
    case IDOK: save(); return 0;
    case IDCANCEL: endModal(IDCANCEL); return 0;
  }
  if (id >= kSnapBrowse1 && id < kSnapBrowse1 + kSnapSlots) {
    browseSnap(id - kSnapBrowse1);
    return 0;
  }
  return DialogWindow::handle(message, wParam, lParam);
}

}  // namespace

std::optional<std::string> editRecord(const EditorPlace& place, const std::string& key) {
  if (key.empty()) return std::nullopt;
  const auto sink = platform::makeWindowSink(place.owner);
  db::DbConnection db;
  db.open(place.dbPath);
  LoadedRecord loaded = loadRecord(db, key, *sink);
  if (!loaded.found) return std::nullopt;
  RecordEditor editor(place, std::move(loaded));
  if (!editor.open()) return std::nullopt;
  const SaveResult& result = editor.result();
  if (result.offerRename)
    offerTitlePictureRename(db, result.cursorKey, result.oldTitle, editor.saved().title, place.programFolder, *sink);
  return result.cursorKey;
}

}  // namespace qm::records

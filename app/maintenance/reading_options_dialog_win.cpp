#include "app/maintenance/reading_options_dialog_win.h"

#include "app/maintenance/reading_options_store.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/message_box_win.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::maintenance {
namespace {

using text::sjis;

enum Control : int {
  kHiragana = 1101,
  kKatakana,
  kUnvoiced,
  kRemoveSpaces,
  kKeepSpaces,
  kRemoveSymbols,
  kRomanNumerals,
  kUserMap,
  kAdvanced,
  kUserSource,
  kUserTarget,
  kRemoveFull,
  kRemoveHalf,
  kResetFull,
  kResetHalf,
  kKanaFrame,
  kSpaceFrame,
  kUserFrame,
  kRemovalFrame,
};

constexpr int kWidth = 480;
constexpr int kBasicHeight = 250;
constexpr int kFullHeight = 482;

class ReadingOptionsDialog : public ui::DialogWindow {
public:
  ReadingOptionsDialog(Settings& settings, const std::string& settingsPath)
      : settings_(settings), ini_(settingsPath) {}

  bool open(HWND owner) {
    runModal(owner, sjis("読み仮名生成の設定"), kWidth, kBasicHeight);
    return saved_;
  }

private:
  void createControls() override;
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void fill();
  void toggleAdvanced();
  void confirm();
  std::string field(int id, std::size_t limit) const;

  Settings& settings_;
  platform::IniFile ini_;
  bool advanced_ = false;
  bool saved_ = false;
};

void ReadingOptionsDialog::createControls() {
  add("STATIC", sjis("タイトルから超適当に読み仮名を生成する設定です。"), SS_LEFT, -1, 12, 12, 360, 16);
  add("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 384, 10, 86, 24);
  add("BUTTON", sjis("キャンセル"), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 384, 40, 86, 24);

  add("BUTTON", sjis("仮名"), BS_GROUPBOX, kKanaFrame, 10, 34, 364, 72);
  add("BUTTON", sjis("ひらがなへ統一変換"), BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, kHiragana, 22, 54, 160, 18);
  add("BUTTON", sjis("カタカナへ統一変換"), BS_AUTORADIOBUTTON, kKatakana, 190, 54, 170, 18);
  add("BUTTON", sjis("濁音を清音に変換"), BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kUnvoiced, 22, 80, 340, 18);

  add("BUTTON", sjis("スペース"), BS_GROUPBOX, kSpaceFrame, 10, 112, 364, 46);
  add("BUTTON", sjis("全て除去"), BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, kRemoveSpaces, 22, 132, 120, 18);
  add("BUTTON", sjis("残す（全角は半角に変換）"), BS_AUTORADIOBUTTON, kKeepSpaces, 150, 132, 210, 18);

  add("BUTTON", sjis("記号を除去"), BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kRemoveSymbols, 22, 166, 340, 18);
  add("BUTTON", sjis("ローマ数字（機種依存文字）を半角数字に変換"), BS_AUTOCHECKBOX | WS_TABSTOP, kRomanNumerals, 22,
      188, 340, 18);
  add("BUTTON", sjis("全角記号を半角に変換"), BS_AUTOCHECKBOX | WS_TABSTOP, kUserMap, 22, 210, 340, 18);
  add("BUTTON", sjis("高度な設定 >>"), BS_PUSHBUTTON | WS_TABSTOP, kAdvanced, 384, 214, 86, 24);

  // Below the basic part: shown when the window grows.
  add("BUTTON", sjis("半角化記号"), BS_GROUPBOX, kUserFrame, 10, 254, 460, 80);
  add("STATIC", sjis("変換前全角キャラクタ"), SS_LEFT, -1, 22, 278, 126, 16);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kUserSource, 150, 274, 308, 22, WS_EX_CLIENTEDGE);
  add("STATIC", sjis("変換後半角キャラクタ"), SS_LEFT, -1, 22, 306, 126, 16);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kUserTarget, 150, 302, 308, 22, WS_EX_CLIENTEDGE);

  add("BUTTON", sjis("除去記号"), BS_GROUPBOX, kRemovalFrame, 10, 340, 460, 80);
  add("STATIC", sjis("全角キャラクタ"), SS_LEFT, -1, 22, 364, 126, 16);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kRemoveFull, 150, 360, 240, 22, WS_EX_CLIENTEDGE);
  add("BUTTON", "Reset", BS_PUSHBUTTON | WS_TABSTOP, kResetFull, 396, 360, 62, 22);
  add("STATIC", sjis("半角キャラクタ"), SS_LEFT, -1, 22, 392, 126, 16);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kRemoveHalf, 150, 388, 240, 22, WS_EX_CLIENTEDGE);
  add("BUTTON", "Reset", BS_PUSHBUTTON | WS_TABSTOP, kResetHalf, 396, 388, 62, 22);
  add("STATIC", sjis("※全て254バイトまで"), SS_LEFT, -1, 12, 428, 456, 16);
  add("STATIC",
      sjis("全角244バイトまで。全角欄に半角文字を入力しないでください。入力するとライブラリが壊れる恐れもあります。"),
      SS_LEFT, -1, 12, 446, 456, 32);

  SendMessageA(item(kUserSource), EM_LIMITTEXT, text::kUserSourceLimit, 0);
  SendMessageA(item(kUserTarget), EM_LIMITTEXT, text::kUserTargetLimit, 0);
  SendMessageA(item(kRemoveFull), EM_LIMITTEXT, text::kRemovalLimit, 0);
  SendMessageA(item(kRemoveHalf), EM_LIMITTEXT, text::kRemovalLimit, 0);
  fill();
}

void ReadingOptionsDialog::fill() {
  const text::ReadingOptions options = readingOptions(settings_, userMapSwitch());
  check(options.kanaMode == text::kToKatakana ? kKatakana : kHiragana, true);
  check(kUnvoiced, options.unvoiced);
  check(options.spaceRule == text::kRemoveSpaces ? kRemoveSpaces : kKeepSpaces, true);
  check(kRemoveSymbols, options.removeSymbols);
  check(kRomanNumerals, options.romanNumerals);
  check(kUserMap, options.userMap);
  const text::SymbolTables tables = text::loadSymbolTables(ini_);
  setText(kUserSource, tables.userSource);
  setText(kUserTarget, tables.userTarget);
  setText(kRemoveFull, tables.removeFull);
  setText(kRemoveHalf, tables.removeHalf);
}

LRESULT ReadingOptionsDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    endModal();
    return 0;
  }
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return DialogWindow::handle(message, wParam, lParam);
  switch (LOWORD(wParam)) {
    case IDOK: confirm(); return 0;
    case IDCANCEL: endModal(); return 0;
    case kAdvanced: toggleAdvanced(); return 0;
    case kResetFull: setText(kRemoveFull, text::SymbolTables::defaults().removeFull); return 0;
    case kResetHalf: setText(kRemoveHalf, text::SymbolTables::defaults().removeHalf); return 0;
  }
  return DialogWindow::handle(message, wParam, lParam);
}

void ReadingOptionsDialog::toggleAdvanced() {
  advanced_ = !advanced_;
  setText(kAdvanced, sjis(advanced_ ? "<< 高度な設定" : "高度な設定 >>"));
  setClientSize(kWidth, advanced_ ? kFullHeight : kBasicHeight);
}

// An edit control may count its limit in characters: what is kept is what the
// settings reader would take back.
std::string ReadingOptionsDialog::field(int id, std::size_t limit) const {
  return std::string(sjis::cutToBytes(textOf(id), limit));
}

// The dialog stays open on an error; the options change only once the tables
// are written.
void ReadingOptionsDialog::confirm() {
  text::ReadingOptions options;
  options.kanaMode = checked(kKatakana) ? text::kToKatakana : text::kToHiragana;
  options.unvoiced = checked(kUnvoiced);
  options.spaceRule = checked(kRemoveSpaces) ? text::kRemoveSpaces : text::kSpacesToHalfWidth;
  options.removeSymbols = checked(kRemoveSymbols);
  options.romanNumerals = checked(kRomanNumerals);
  options.userMap = checked(kUserMap);
  text::SymbolTables tables;
  tables.userSource = field(kUserSource, text::kUserSourceLimit);
  tables.userTarget = field(kUserTarget, text::kUserTargetLimit);
  tables.removeFull = field(kRemoveFull, text::kRemovalLimit);
  tables.removeHalf = field(kRemoveHalf, text::kRemovalLimit);
  const text::SymbolTablesError error = text::saveSymbolTables(ini_, tables, options.userMap);
  if (error != text::SymbolTablesError::None) {
    ui::showBox(hwnd_, text::symbolTablesMessage(error), "", platform::MessageIcon::Warning);
    return;
  }
  storeReadingOptions(settings_, options);
  userMapSwitch() = options.userMap;
  saved_ = true;
  endModal();
}

}  // namespace

bool openReadingOptionsDialog(HWND owner, Settings& settings, const std::string& settingsPath) {
  ReadingOptionsDialog dialog(settings, settingsPath);
  return dialog.open(owner);
}

}  // namespace qm::maintenance

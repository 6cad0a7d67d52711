#include "app/settings/general_settings_dialog_win.h"

#include <cstdlib>

#include "app/settings/general_settings.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/message_box_win.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using text::sjis;

constexpr int kFontLabel = 102;
constexpr int kNote = 103;

class GeneralSettingsDialog : public ui::DialogWindow {
public:
  explicit GeneralSettingsDialog(const std::string& settingsPath) : ini_(settingsPath) {}
  bool run(HWND owner) {
    runModal(owner, sjis("全体設定"), 420, 150);
    return saved_;
  }

private:
  void createControls() override {
    const GeneralSettings values = readGeneralSettings(ini_);
    add("BUTTON", sjis("DLLロード(LoadLibrary)をWindowsシステムディレクトリに固定する"),
        BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kGeneralDllSafeLoad, 16, 14, 390, 20);
    check(kGeneralDllSafeLoad, values.dllSafeLoad);
    add("STATIC", sjis("検索窓のフォントの高さ（0：標準）"), SS_LEFT, kFontLabel, 16, 48, 250, 20);
    add("EDIT", std::to_string(values.searchFontHeight), ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER,
        kGeneralSearchFontHeight, 270, 46, 60, 22);
    add("STATIC", sjis("※変更は次回の起動から有効になります"), SS_LEFT, kNote, 16, 82, 390, 20);
    add("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 226, 112, 84, 26);
    add("BUTTON", sjis("キャンセル"), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 320, 112, 84, 26);
  }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CLOSE) {
      endModal();
      return 0;
    }
    if (message == WM_COMMAND) {
      switch (LOWORD(wParam)) {
        case kGeneralDllSafeLoad:
          if (HIWORD(wParam) == BN_CLICKED && !checked(kGeneralDllSafeLoad)) confirmUnsafeLoading();
          return 0;
        case IDOK: save(); return 0;
        case IDCANCEL: endModal(); return 0;
      }
    }
    return DialogWindow::handle(message, wParam, lParam);
  }

  // No is the default answer: the box is shown here rather than through the
  // message sink, which has no choice of default button.
  void confirmUnsafeLoading() {
    const int answer = MessageBoxA(hwnd_, dllSafeLoadWarning().c_str(), dllSafeLoadWarningCaption().c_str(),
                                   MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    if (answer != IDYES) check(kGeneralDllSafeLoad, true);
  }

  void save() {
    GeneralSettings values;
    values.dllSafeLoad = checked(kGeneralDllSafeLoad);
    const std::string height = textOf(kGeneralSearchFontHeight);
    values.searchFontHeight = height.empty() ? 0 : std::atoi(height.c_str());
    if (height.size() > 3) {
      ui::showBox(hwnd_, sjis("フォントの高さは0から999で指定してください。"), sjis("全体設定"),
                  platform::MessageIcon::Warning);
      return;
    }
    if (!writeGeneralSettings(ini_, values)) {
      ui::showError(hwnd_, sjis("設定ファイルに書き込めませんでした。\n") + ini_.path(), sjis("全体設定"));
      return;
    }
    saved_ = true;
    endModal();
  }

  platform::IniFile ini_;
  bool saved_ = false;
};

}  // namespace

bool runGeneralSettings(HWND owner, const std::string& settingsPath) {
  GeneralSettingsDialog dialog(settingsPath);
  return dialog.run(owner);
}

}  // namespace qm::shell

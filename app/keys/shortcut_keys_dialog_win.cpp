#include "app/keys/shortcut_keys_dialog_win.h"

#include <commctrl.h>

#include <vector>

#include "app/keys/shortcut_keys.h"
#include "app/ui/dialog_window_win.h"
#include "common/platform/files.h"
#include "common/platform/message_sink.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using text::sjis;

std::string keyName(int code) {
  if (code == 0) return sjis("(なし)");
  return keys::dialogKeyText(code);
}

class ShortcutKeysDialog : public ui::DialogWindow {
public:
  explicit ShortcutKeysDialog(std::string path) : ini_(std::move(path)), values_(keys::loadKeys(ini_)) {}
  bool run(HWND owner) { return runModal(owner, sjis("ショートカットキーの割り当て"), 470, 400) == IDOK; }

protected:
  void createControls() override {
    HWND list = add(WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                    kShortcutList, 10, 10, 450, 300, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const std::pair<const char*, int> columns[] = {{"機能", 300}, {"キー", 126}};
    for (int i = 0; i < 2; ++i) {
      std::string title = sjis(columns[i].first);
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = columns[i].second;
      column.pszText = title.data();
      SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t i = 0; i < keys::kEntryCount; ++i) {
      std::string title = sjis(keys::entries()[i].title);
      LVITEMA row{};
      row.mask = LVIF_TEXT;
      row.iItem = static_cast<int>(i);
      row.pszText = title.data();
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
      showKey(i);
    }
    label(sjis("キー"), 10, 322, 40);
    HWND combo = add("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kShortcutKey, 50, 320, 120, 300);
    // A key set in the file by hand joins the list when its entry is shown.
    for (int code : keys::assignableKeys()) addKey(combo, code);
    button("Shift", kShortcutShift, 190, 320, 70, 24, BS_AUTOCHECKBOX);
    button("Ctrl", kShortcutCtrl, 265, 320, 70, 24, BS_AUTOCHECKBOX);
    button("Alt", kShortcutAlt, 340, 320, 70, 24, BS_AUTOCHECKBOX);
    button("OK", IDOK, 280, 364, 84, 26, BS_DEFPUSHBUTTON);
    button(sjis("キャンセル"), IDCANCEL, 376, 364, 84, 26);
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    showControls(0);
  }

  int focusAtOpen() const override { return kShortcutList; }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDOK) {
        save();
      } else if (id == IDCANCEL) {
        endModal(IDCANCEL);
      } else if ((id == kShortcutKey && code == CBN_SELCHANGE) ||
                 ((id == kShortcutShift || id == kShortcutCtrl || id == kShortcutAlt) && code == BN_CLICKED)) {
        takeControls();
      }
      return 0;
    }
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->idFrom == kShortcutList && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
          showControls(static_cast<std::size_t>(change->iItem));
      }
      return 0;
    }
    return DialogWindow::handle(message, wParam, lParam);
  }

private:
  static int addKey(HWND combo, int code) {
    const int index = static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(keyName(code).c_str())));
    SendMessageA(combo, CB_SETITEMDATA, index, code);
    return index;
  }

  std::optional<std::size_t> selectedRow() const {
    const int row = ListView_GetNextItem(item(kShortcutList), -1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(keys::kEntryCount)) return std::nullopt;
    return static_cast<std::size_t>(row);
  }

  void showKey(std::size_t row) {
    std::string text = keys::dialogKeyText(values_[row]);
    ListView_SetItemText(item(kShortcutList), static_cast<int>(row), 1, text.data());
  }

  void showControls(std::size_t row) {
    showing_ = true;
    HWND combo = item(kShortcutKey);
    const int code = keys::keyCode(values_[row]);
    int found = -1;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count && found < 0; ++i)
      if (SendMessageA(combo, CB_GETITEMDATA, i, 0) == code) found = i;
    if (found < 0) found = addKey(combo, code);
    SendMessageA(combo, CB_SETCURSEL, found, 0);
    const keys::Modifiers modifiers = keys::modifiersOf(values_[row]);
    check(kShortcutShift, modifiers.shift);
    check(kShortcutCtrl, modifiers.ctrl);
    check(kShortcutAlt, modifiers.alt);
    showing_ = false;
  }

  void takeControls() {
    const auto row = selectedRow();
    if (showing_ || !row) return;
    HWND combo = item(kShortcutKey);
    const auto selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    const int code = selected == CB_ERR ? 0 : static_cast<int>(SendMessageA(combo, CB_GETITEMDATA, selected, 0));
    values_[*row] = keys::encodeKey(code, {checked(kShortcutShift), checked(kShortcutCtrl), checked(kShortcutAlt)});
    showKey(*row);
  }

  void save() {
    if (!keys::saveKeys(ini_, values_)) {
      auto sink = platform::makeWindowSink(hwnd());
      sink->show(sjis("ショートカットキーを保存できませんでした。\n") + ini_.path(), "", platform::MessageIcon::Error,
                 platform::MessageButtons::Ok);
      return;
    }
    endModal(IDOK);
  }

  platform::IniFile ini_;
  keys::KeyValues values_;
  bool showing_ = false;
};

}  // namespace

bool runShortcutKeysDialog(HWND owner, const std::string& programFolder) {
  ShortcutKeysDialog dialog(platform::joinPath(programFolder, keys::kKeyFileName));
  return dialog.run(owner);
}

}  // namespace qm::shell

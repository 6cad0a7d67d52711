#include "app/search/query_dialog_win.h"

#include <commctrl.h>

#include <cstring>

#include "app/item_list/list_columns.h"
#include "app/search/saved_queries.h"
#include "app/ui/dialog_window_win.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::search {
namespace {

using text::sjis;

enum : int {
  kName = 100, kIcon, kStatement, kTarget, kMethod, kKeyword, kSort, kDescending, kMake, kColumns, kColumnList,
};

void info(HWND owner, const std::string& text) { MessageBoxA(owner, text.c_str(), "", MB_OK | MB_ICONINFORMATION); }

// "カラム名 ( ダブルクリックでクリップボードにコピー )": a row double-clicked goes to the clipboard.
class ColumnWindow : public ui::DialogWindow {
protected:
  void createControls() override {
    HWND list = add(WC_LISTVIEWA, "", LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP, kColumnList, 8, 8, 464, 344);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int c = 0; c < 2; ++c) {
      LVCOLUMNA column{};
      column.mask = LVCF_WIDTH;
      column.cx = c == 0 ? 130 : 310;
      SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    int row = 0;
    for (ColumnNote& note : columnNotes()) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.pszText = note.field.data();
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      item.iSubItem = 1;
      item.pszText = note.meaning.data();
      SendMessageA(list, LVM_SETITEMTEXTA, row++, reinterpret_cast<LPARAM>(&item));
    }
  }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      endModal(IDCANCEL);
      return 0;
    }
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kColumnList && header->code == NM_DBLCLK) copyRow(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    }
    return DialogWindow::handle(message, wParam, lParam);
  }

private:
  void copyRow(int row) {
    const std::vector<ColumnNote> notes = columnNotes();
    if (row < 0 || row >= static_cast<int>(notes.size()) || !OpenClipboard(hwnd())) return;
    const std::string text = notes[row].field + "," + notes[row].meaning;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
      std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
  }
};

class QueryDialog : public ui::DialogWindow {
public:
  QueryDialog(std::string folder, std::string path) : folder_(std::move(folder)), path_(std::move(path)) {}
  bool changed() const { return changed_; }

protected:
  void createControls() override {
    label(sjis("クエリ名"), 8, 12, 90);
    edit(kName, 100, 8, 400);
    label(sjis("アイコン(BMP)"), 8, 40, 90);
    edit(kIcon, 100, 36, 400);
    label(sjis("検索対象"), 8, 72, 90);
    HWND target = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kTarget, 100, 68, 160, 300);
    for (const WizardTarget& t : kWizardTargets) SendMessageA(target, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(t.label).c_str()));
    HWND method = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP, kMethod, 270, 68, 230, 200);
    for (const char* m : {"「一致」アイテムを検索", "「含む」アイテムを検索"})
      SendMessageA(method, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(m).c_str()));
    label(sjis("キーワード"), 8, 100, 90);
    edit(kKeyword, 100, 96, 400);
    SendMessageA(item(kKeyword), EM_LIMITTEXT, 256, 0);
    label(sjis("ソート"), 8, 128, 90);
    HWND sort = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kSort, 100, 124, 160, 300);
    for (int c = 0; c < kColumnCount; ++c) SendMessageA(sort, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(columnHeader(c).c_str()));
    add("BUTTON", sjis("降順ソート"), BS_AUTOCHECKBOX | WS_TABSTOP, kDescending, 270, 124, 120, 24);
    button(sjis("↓クエリ作成↓"), kMake, 100, 156, 160);
    button(sjis("カラム名一覧を表示"), kColumns, 300, 156, 200);
    add("EDIT", "", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP | WS_BORDER, kStatement, 8, 190, 492, 110);
    button("OK", IDOK, 320, 312);
    button(sjis("キャンセル"), IDCANCEL, 416, 312);
    for (int id : {kTarget, kMethod, kSort}) SendMessageA(item(id), CB_SETCURSEL, 0, 0);
    setText(kStatement, kNewQueryStatement);
    if (!path_.empty()) {
      const SavedQuery query = readQuery(path_);
      if (!query.refusal.empty()) info(hwnd(), query.refusal);
      setText(kName, queryNameOf(platform::fileNameOf(path_)));
      setText(kIcon, query.icon);
      setText(kStatement, query.sql.empty() ? std::string(kNewQueryStatement) : query.sql);
    }
  }
  int focusAtOpen() const override { return kName; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) {
      switch (LOWORD(wParam)) {
        case IDOK: save(); return 0;
        case IDCANCEL: endModal(IDCANCEL); return 0;
        case kMake:
          setText(kStatement, wizardStatement(selected(kTarget), selected(kMethod) == 0, textOf(kKeyword), selected(kSort),
                                              checked(kDescending)));
          return 0;
        case kColumns: {
          ColumnWindow columns;
          columns.runModal(hwnd(), sjis("カラム名 ( ダブルクリックでクリップボードにコピー )"), 480, 360);
          return 0;
        }
      }
    }
    return DialogWindow::handle(message, wParam, lParam);
  }

private:
  int selected(int id) const { return static_cast<int>(SendMessageA(item(id), CB_GETCURSEL, 0, 0)); }
  void save() {
    const QuerySaveResult saved = saveQuery({folder_, path_, textOf(kName), textOf(kStatement), textOf(kIcon)});
    if (saved.result != QuerySave::Saved) {
      info(hwnd(), querySaveMessage(saved.result));
      return;
    }
    changed_ = saved.changed;
    endModal(IDOK);
  }

  std::string folder_;
  std::string path_;
  bool changed_ = false;
};

class FolderDialog : public ui::DialogWindow {
public:
  explicit FolderDialog(std::string parent) : parent_(std::move(parent)) {}
  bool created() const { return created_; }

protected:
  void createControls() override {
    label(sjis("フォルダ名"), 8, 12, 80);
    edit(kName, 90, 8, 250);
    SendMessageA(item(kName), EM_LIMITTEXT, 260, 0);
    button("OK", IDOK, 160, 40);
    button(sjis("キャンセル"), IDCANCEL, 256, 40);
  }
  int focusAtOpen() const override { return kName; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      endModal(IDCANCEL);
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      const FolderCreate result = createQueryFolder(parent_, textOf(kName));
      if (result == FolderCreate::NameEmpty || result == FolderCreate::Created) {
        created_ = result == FolderCreate::Created;
        endModal(IDOK);
      } else {
        info(hwnd(), folderCreateMessage(result));
      }
      return 0;
    }
    return DialogWindow::handle(message, wParam, lParam);
  }

private:
  std::string parent_;
  bool created_ = false;
};

}  // namespace

bool runQueryDialog(HWND owner, const std::string& folder, const std::string& path) {
  QueryDialog dialog(folder, path);
  dialog.runModal(owner, sjis(path.empty() ? "クエリ作成" : "クエリ編集"), 508, 344);
  return dialog.changed();
}

bool runNewFolderDialog(HWND owner, const std::string& parent) {
  FolderDialog dialog(parent);
  dialog.runModal(owner, sjis("フォルダ作成"), 348, 72);
  return dialog.created();
}

}  // namespace qm::search

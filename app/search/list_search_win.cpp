#include "app/search/list_search_win.h"

#include <commctrl.h>

#include "app/item_list/item_list.h"
#include "app/ui/combo_text_win.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::search {
namespace {

constexpr const char* kClass = "QmItemListSearch";
constexpr int kEditId = 1;
constexpr int kPrefixId = 2;
constexpr int kMigemoId = 3;
constexpr int kStatusId = 4;
constexpr int kWidth = 460;
constexpr int kHeight = 86;
// A Migemo find keeps up to four items above it in sight.
constexpr int kRowsAbove = 4;

bool holdsPatternCharacters(std::string_view text) {
  for (char c : {'(', ')', '[', ']', '|'}) {
    if (sjis::find(text, c) != sjis::npos) return true;
  }
  return false;
}

}  // namespace

ListSearchWindow::~ListSearchWindow() { close(); }

bool ListSearchWindow::registerClass(HINSTANCE instance) {
  WNDCLASSEXA window{};
  window.cbSize = sizeof window;
  window.lpfnWndProc = procedure;
  window.hInstance = instance;
  window.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window.lpszClassName = kClass;
  return RegisterClassExA(&window) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void ListSearchWindow::open(HWND list, const ItemList& items, MigemoSource* migemo, bool migemoOn) {
  close();
  list_ = list;
  items_ = &items;
  migemo_ = migemo;
  memo_ = 0;
  RECT rect{};
  GetWindowRect(list, &rect);
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, text::sjis("アイテムリスト内検索 (↑↓=前後,ESCorENTER=終了)").c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU, rect.left + 40, rect.top + 40, kWidth, kHeight,
                            GetAncestor(list, GA_ROOT), nullptr, GetModuleHandleA(nullptr), this);
  if (!window_) return;
  font_ = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
  auto child = [&](const char* cls, const std::string& text, DWORD style, int id, int x, int y, int w, int h) {
    HWND made = CreateWindowExA(cls == std::string("EDIT") ? WS_EX_CLIENTEDGE : 0, cls, text.c_str(),
                                WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return made;
  };
  edit_ = child("EDIT", "", ES_AUTOHSCROLL, kEditId, 6, 4, 440, 22);
  prefix_ = child("BUTTON", text::sjis("先頭比較(TAB)"), BS_AUTOCHECKBOX, kPrefixId, 6, 30, 120, 20);
  migemoBox_ = child("BUTTON", "Migemo(Ctrl)", BS_AUTOCHECKBOX, kMigemoId, 130, 30, 110, 20);
  child("STATIC", "Migemo match [", 0, 0, 246, 32, 96, 18);
  status_ = child("STATIC", "--", 0, kStatusId, 342, 32, 90, 18);
  child("STATIC", "]", 0, 0, 434, 32, 10, 18);
  const bool usable = migemo_ && migemo_->enabled();
  CheckDlgButton(window_, kMigemoId, usable && migemoOn ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(migemoBox_, usable ? TRUE : FALSE);
  SetWindowSubclass(edit_, editProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  ShowWindow(window_, SW_SHOW);
  SetFocus(edit_);
}

void ListSearchWindow::close() {
  if (!window_) return;
  HWND window = window_;
  window_ = nullptr;
  DestroyWindow(window);
  if (list_) SetFocus(list_);
}

LRESULT CALLBACK ListSearchWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<ListSearchWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self || !self->window_) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT CALLBACK ListSearchWindow::editProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
  auto* self = reinterpret_cast<ListSearchWindow*>(data);
  if (message == WM_KEYDOWN) {
    switch (wParam) {
      case VK_DOWN: self->step(StepDirection::Next); return 0;
      case VK_UP: self->step(StepDirection::Previous); return 0;
      case VK_ESCAPE:
      case VK_RETURN: self->close(); return 0;
      case VK_TAB:
        CheckDlgButton(self->window_, kPrefixId, IsDlgButtonChecked(self->window_, kPrefixId) ? BST_UNCHECKED : BST_CHECKED);
        return 0;
      case VK_CONTROL:
        if (IsWindowEnabled(self->migemoBox_) && !(lParam & (1 << 30)))
          CheckDlgButton(self->window_, kMigemoId, IsDlgButtonChecked(self->window_, kMigemoId) ? BST_UNCHECKED : BST_CHECKED);
        return 0;
    }
  }
  if (message == WM_CHAR && (wParam == '\t' || wParam == '\r' || wParam == 27)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, editProcedure, 1);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT ListSearchWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) {
    step(StepDirection::FromTop);
    return 0;
  }
  if (message == WM_CLOSE) {
    close();
    return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void ListSearchWindow::step(StepDirection direction) {
  if (!items_) return;
  const std::string text = ui::windowText(edit_);
  const int current = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
  std::unique_ptr<TitlePattern> pattern;
  const bool useMigemo = IsDlgButtonChecked(window_, kMigemoId) == BST_CHECKED && migemo_ && migemo_->enabled() &&
                         !text.empty() && !holdsPatternCharacters(text);
  if (useMigemo) {
    if (auto raw = migemo_->query(migemoQueryText(text)))
      pattern = TitlePattern::compile(IsDlgButtonChecked(window_, kPrefixId) ? "^" + *raw : *raw);
  }
  const ListSearchStep found = stepListSearch(*items_, std::max(current, 0), text, direction,
                                              IsDlgButtonChecked(window_, kPrefixId) == BST_CHECKED, pattern.get(), memo_);
  SetWindowTextA(status_, found.matched.c_str());
  if (found.found >= 0) {
    select(found.found, pattern != nullptr);
  } else if (found.beep) {
    MessageBeep(MB_OK);
  }
}

void ListSearchWindow::select(int item, bool migemoView) {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list_, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (migemoView) ListView_EnsureVisible(list_, std::max(0, item - kRowsAbove), FALSE);
  ListView_EnsureVisible(list_, item, FALSE);
}

}  // namespace qm::search

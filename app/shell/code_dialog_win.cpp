#include "app/shell/code_dialog_win.h"

#include <algorithm>
#include <vector>

#include "common/text/encoding.h"

namespace qm::shell {
namespace {

// No WS_CLIPCHILDREN: group boxes are hollow and the dialog paints behind them.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

int CodeDialog::runModal(HWND owner, const std::string& title, int clientWidth, int clientHeight) {
  font_.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                          text::sjis("ＭＳ Ｐゴシック").c_str()));
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &around);
  const int x = std::max(0, static_cast<int>(around.left + around.right - width) / 2);
  const int y = std::max(0, static_cast<int>(around.top + around.bottom - height) / 2);
  hwnd_ = CreateWindowExA(kExStyle, "NORMALDLG", title.c_str(), kStyle, x, y, width, height, owner, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return IDCANCEL;
  // The class's procedure is the default one; each dialog brings its own.
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CodeDialog::procedure));
  onInit();
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  // onInit may have chosen the control that starts with the focus.
  if (!IsChild(hwnd_, GetFocus()))
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);

  MSG message{};
  bool quit = false;
  while (!ended_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    if (IsDialogMessageA(hwnd_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  // The owner is enabled first so that it, not another program, becomes active.
  if (owner) EnableWindow(owner, TRUE);
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return result_;
}

void CodeDialog::onCommand(int id, int, HWND) {
  if (id == IDOK || id == IDCANCEL) end(id);
}

LRESULT CALLBACK CodeDialog::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CodeDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT CodeDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_DRAWITEM:
      if (onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_CLOSE:
      onCommand(IDCANCEL, BN_CLICKED, nullptr);
      return 0;
    case WM_DESTROY:
      // Also when the owner goes away under the loop.
      ended_ = true;
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

HWND CodeDialog::add(const char* windowClass, const std::string& text, DWORD style, int x, int y, int width, int height,
                     int id, DWORD exStyle) {
  HWND control =
      CreateWindowExA(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

HWND CodeDialog::label(const std::string& text, int x, int y, int width, int height) {
  return add("STATIC", text, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, x, y, width, height);
}

HWND CodeDialog::button(const std::string& text, int id, int x, int y, int width, int height, DWORD style) {
  return add("BUTTON", text, WS_TABSTOP | (style ? style : BS_PUSHBUTTON), x, y, width, height, id);
}

HWND CodeDialog::edit(int id, int x, int y, int width, DWORD style) {
  return add("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | style, x, y, width, 22, id, WS_EX_CLIENTEDGE);
}

std::string CodeDialog::text(int id) const {
  HWND control = item(id);
  std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1);
  const int length = GetWindowTextA(control, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), static_cast<std::size_t>(std::max(0, length)));
}

void CodeDialog::setText(int id, const std::string& text) { SetWindowTextA(item(id), text.c_str()); }

bool CodeDialog::checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CodeDialog::setChecked(int id, bool on) {
  SendMessageA(item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CodeDialog::enable(int id, bool on) { EnableWindow(item(id), on ? TRUE : FALSE); }

void CodeDialog::end(int result) {
  result_ = result;
  ended_ = true;
}

}  // namespace qm::shell

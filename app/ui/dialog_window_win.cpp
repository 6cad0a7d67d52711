#include "app/ui/dialog_window_win.h"

#include <algorithm>
#include <vector>

#include "app/ui/combo_text_win.h"
#include "common/text/encoding.h"

namespace qm::ui {
namespace {

// No WS_CLIPCHILDREN: group boxes are hollow and the dialog paints behind them.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The main window's font, so that the dialogs read alike.
OwnedFont makeFont() {
  return OwnedFont(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                                text::sjis("ＭＳ Ｐゴシック").c_str()));
}

}  // namespace

// runModal destroys the window; this is for an early way out only, and the
// subclass is gone by now, so the window no longer reaches it.
DialogWindow::~DialogWindow() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

int DialogWindow::runModal(HWND owner, const std::string& caption, int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int outerWidth = frame.right - frame.left;
  const int outerHeight = frame.bottom - frame.top;
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &around);
  const int x = std::max(0L, around.left + (around.right - around.left - outerWidth) / 2);
  const int y = std::max(0L, around.top + (around.bottom - around.top - outerHeight) / 2);

  // The class's own procedure is DefWindowProcA: ours takes over once the
  // window exists, before any control is added.
  hwnd_ = CreateWindowExA(kExStyle, "NORMALDLG", caption.c_str(), kStyle, x, y, outerWidth, outerHeight, owner,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return IDCANCEL;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  font_ = makeFont();
  createControls();

  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  // Only now: focusing a control of a hidden window activates it unseen.
  if (HWND first = focusAtOpen() ? item(focusAtOpen()) : GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
  MSG message{};
  bool quit = false;
  while (!done_ && hwnd_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    if (!IsDialogMessageA(hwnd_, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (owner) EnableWindow(owner, TRUE);
  if (hwnd_) DestroyWindow(hwnd_);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return result_;
}

LRESULT CALLBACK DialogWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_DESTROY) self->destroying();
  if (message == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    self->done_ = true;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return self->handle(message, wParam, lParam);
}

LRESULT DialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

HWND DialogWindow::add(const char* cls, const std::string& text, DWORD style, int id, int x, int y, int width,
                       int height, DWORD exStyle) {
  HWND control = CreateWindowExA(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                 hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

HWND DialogWindow::label(const std::string& text, int x, int y, int width, int height) {
  return add("STATIC", text, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0, x, y, width, height);
}

HWND DialogWindow::button(const std::string& text, int id, int x, int y, int width, int height, DWORD style) {
  return add("BUTTON", text, WS_TABSTOP | (style ? style : BS_PUSHBUTTON), id, x, y, width, height);
}

HWND DialogWindow::edit(int id, int x, int y, int width, DWORD style) {
  return add("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | style, id, x, y, width, 22, WS_EX_CLIENTEDGE);
}

std::string DialogWindow::textOf(int id) const { return windowText(item(id)); }

void DialogWindow::setClientSize(int width, int height) const {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace qm::ui

// A control that draws nothing while it is changed in several steps: every
// step of a list view (item count, scroll, selection) otherwise updates its
// scroll bars at once, which under Wine costs tens of milliseconds a step.
// Drawing comes back on every path out, with the whole control invalidated.
#pragma once

#include <windows.h>

namespace qm::ui {

class RedrawPause {
public:
  // `erase`: the background is drawn again too (a list box whose items went).
  RedrawPause(HWND control, bool erase) : control_(control), erase_(erase) {
    SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawPause() {
    SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, erase_ ? TRUE : FALSE);
  }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

private:
  HWND control_;
  bool erase_;
};

}  // namespace qm::ui

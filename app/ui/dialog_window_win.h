// A modal dialog built in code on the program's dialog class "NORMALDLG":
// the window is created hidden, its controls are added by the subclass in
// pixels in the user-interface font, the owner is disabled and a message loop
// runs until the dialog ends, with Tab between controls and Enter and Escape
// arriving as IDOK and IDCANCEL. The owner is enabled again before the window
// goes, so that it takes the activation.
#pragma once

#include <windows.h>

#include <string>

#include "app/ui/win_handles_win.h"

namespace qm::ui {

class DialogWindow {
public:
  DialogWindow() = default;
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Client size in pixels; returns when the dialog has ended, with the result
  // given to endModal (IDCANCEL when the window was closed or its owner went).
  int runModal(HWND owner, const std::string& caption, int width, int height);

protected:
  // Ends the loop; the window is destroyed by runModal.
  void endModal(int result = IDCANCEL) {
    result_ = result;
    done_ = true;
  }

  virtual void createControls() = 0;
  // The control that has the focus when the dialog shows (0: the first tab stop).
  virtual int focusAtOpen() const { return 0; }
  // Messages the subclass does not handle go to DefWindowProcA.
  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  // The window is being destroyed, by runModal or by its owner going.
  virtual void destroying() {}

  HWND add(const char* cls, const std::string& text, DWORD style, int id, int x, int y, int width, int height,
           DWORD exStyle = 0);
  HWND label(const std::string& text, int x, int y, int width, int height = 20);
  HWND button(const std::string& text, int id, int x, int y, int width = 84, int height = 24, DWORD style = 0);
  HWND edit(int id, int x, int y, int width, DWORD style = 0);
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  HWND hwnd() const { return hwnd_; }
  std::string textOf(int id) const;
  void setText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }
  bool checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void check(int id, bool on) const { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
  void enable(int id, bool on) const { EnableWindow(item(id), on ? TRUE : FALSE); }
  // Resizes the client area, keeping the window's place.
  void setClientSize(int width, int height) const;

  HWND hwnd_ = nullptr;

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  OwnedFont font_;
  bool done_ = false;
  int result_ = IDCANCEL;
};

}  // namespace qm::ui

// The program's own dialogs, built in code on the class "NORMALDLG": controls
// placed in pixels in the user-interface font, and a modal loop that disables
// the owner as a dialog box does, with Tab between controls, Enter for IDOK
// and Escape or the close box for IDCANCEL.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/shell/win_handles_win.h"

namespace qm::shell {

class CodeDialog {
public:
  CodeDialog() = default;
  virtual ~CodeDialog() = default;
  CodeDialog(const CodeDialog&) = delete;
  CodeDialog& operator=(const CodeDialog&) = delete;

  // Shows the dialog centred on `owner` and returns the result given to
  // end(); IDCANCEL when it was closed, or destroyed with its owner.
  int runModal(HWND owner, const std::string& title, int clientWidth, int clientHeight);

protected:
  // Creates the controls; the window exists but is not shown yet.
  virtual void onInit() = 0;
  // IDOK and IDCANCEL end the dialog unless overridden.
  virtual void onCommand(int id, int code, HWND control);
  virtual LRESULT onNotify(NMHDR*) { return 0; }
  virtual bool onDrawItem(const DRAWITEMSTRUCT&) { return false; }

  HWND add(const char* windowClass, const std::string& text, DWORD style, int x, int y, int width, int height,
           int id = 0, DWORD exStyle = 0);
  HWND label(const std::string& text, int x, int y, int width, int height = 20);
  HWND button(const std::string& text, int id, int x, int y, int width = 84, int height = 24, DWORD style = 0);
  HWND edit(int id, int x, int y, int width, DWORD style = 0);
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string text(int id) const;
  void setText(int id, const std::string& text);
  bool checked(int id) const;
  void setChecked(int id, bool on);
  void enable(int id, bool on);
  void end(int result);
  HWND hwnd() const { return hwnd_; }

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  OwnedFont font_;
  bool ended_ = false;
  int result_ = IDCANCEL;
};

}  // namespace qm::shell

// The pages of a tab control in a code-built dialog: every control is a
// child of the dialog itself (so it keeps its id for GetDlgItem and the Tab
// key), and a page is the list of controls shown while its tab is chosen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/ui/win_handles_win.h"

namespace qm::ui {

class TabPages {
public:
  // Adds the tabs (program text labels) to `tab`.
  void create(HWND tab, const std::vector<std::string>& labels);
  // Controls added from now on belong to `page` (-1: to no page).
  void fill(int page) { filling_ = page; }
  // Puts the control into the page being filled; returns it.
  HWND take(HWND control);
  // Shows the controls of `page` and hides the others.
  void show(int page) const;
  // The chosen tab, after TCN_SELCHANGE.
  int chosen() const;
  bool onPage(HWND control) const;
  // The brush and colour of a page's body (a themed tab draws it lighter
  // than the dialog), for WM_CTLCOLORSTATIC of the page's labels.
  HBRUSH bodyBrush();
  COLORREF bodyColour() const { return colour_; }
  // For WM_CTLCOLORSTATIC: a label or check box on a page gets the body's
  // brush and colour; an edit box (read-only or greyed) keeps its own, and a
  // control on no page gets null.
  HBRUSH colourControl(HDC dc, HWND control);
  HWND tab() const { return tab_; }

private:
  HWND tab_ = nullptr;
  HWND dialog_ = nullptr;
  std::vector<std::vector<int>> pages_;
  int filling_ = -1;
  OwnedGdi<HBRUSH> brush_;
  COLORREF colour_ = 0;
};

}  // namespace qm::ui

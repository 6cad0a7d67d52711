// The rebar at the top of the main window: the tool bar band with buttons for
// the main commands and the search bar band. Band order, widths and line
// breaks are kept in "CoolBar_<n>"; "CoolBar" "Fix" locks the bands.
#pragma once

#include <windows.h>

#include <string>

#include "app/ui/ui_bitmaps_win.h"
#include "app/ui/win_handles_win.h"

namespace qm::shell {

class MainRebar {
public:
  // Band identifiers, the "ID" of a "CoolBar_<n>" section.
  static constexpr int kToolBand = 1;
  static constexpr int kSearchBand = 2;

  // The rebar and its tool bar; the search bar is made by its owner as a
  // child of window() and handed to addBands.
  bool create(HWND owner, const UiBitmaps& bitmaps);
  void addBands(HWND searchBar, int searchHeight, int searchMinWidth, const std::string& settingsPath, bool locked);
  HWND window() const { return rebar_; }
  HWND tools() const { return tools_; }
  int height() const;
  void setLocked(bool locked);
  // After the user moved a band: the layout goes to the settings file.
  void saveBands(const std::string& settingsPath) const;
  // Buttons of commands that are not built stay greyed.
  void refreshButtons() const;
  // A button's tooltip asked for (TTN_GETDISPINFOA): the command's menu label.
  bool toolTip(NMHDR* header);
  // The automatic snapshot button's picture for `mode` (0 to 3).
  void showAutoSnapMode(int mode) const;

private:
  HWND rebar_ = nullptr;
  HWND tools_ = nullptr;
  ui::OwnedImageList images_;
  std::string tipText_;  // lives until the next tooltip is asked for
};

}  // namespace qm::shell

// The information view: the current item's record beside the item list, drawn
// with the fonts and colours of "InfoViewFont" and "InfoViewColor". The title
// heads the pane in its large face, the maker under it; below, the labelled
// lines flow down and on into further columns as the pane's width allows.
// The right part of the pane is kept for the item's pictures.
#pragma once

#include <windows.h>

#include "app/shell/info_record.h"
#include "app/ui/win_handles_win.h"

namespace qm {
class Settings;
}

namespace qm::shell {

class InformationView {
public:
  static bool registerClass(HINSTANCE instance);
  HWND create(HWND parent, int id);
  HWND hwnd() const { return hwnd_; }
  // Fonts and colours from the appearance settings.
  void prepare(const Settings& settings);
  void show(InfoRecord record);

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void paint(HDC dc, const RECT& client) const;

  struct Face {
    ui::OwnedFont font;
    COLORREF colour = 0;
    int height = 0;  // line height in pixels
  };
  HWND hwnd_ = nullptr;
  Face title_, maker_, normal_, mini_;
  COLORREF back_ = RGB(255, 255, 255);
  COLORREF frame1_ = RGB(150, 150, 150);
  COLORREF frame2_ = RGB(240, 240, 240);
  InfoRecord record_;
};

}  // namespace qm::shell

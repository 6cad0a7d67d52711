// Draws the rows of the owner-drawn item list: two-line rows in the fonts
// and colours of the appearance settings, the machine and genre on two lines,
// ratings as stars, and favourite groups, the adult flag, an alter ego and the
// disks of a set as small marks under the title. The list view asks
// only for the rows it shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/ui/win_handles_win.h"

namespace qm::search {
class ItemList;
}

namespace qm {
class Settings;
}

namespace qm::shell {

class UiBitmaps;

class ItemListPainter {
public:
  // Fonts and colours from the loaded appearance settings; the images of
  // "rating.bmp", "favorite.bmp", "adult.bmp", "AlterEgo.bmp" and
  // "maxdisk.bmp" (a missing one is drawn as text instead).
  void prepare(const Settings& settings, const UiBitmaps& bitmaps);
  // Row height in pixels, for two lines of the small font.
  int rowHeight() const { return rowHeight_; }
  // Gives `list` its row height (an image list of that height, which report
  // views take as the least row height).
  void applyRowHeight(HWND list);

  // One row; `columns` maps list-view columns to column-table columns.
  // `machineIcons` is the machine master's small icon list (null until it is
  // built). `background` replaces the line colours of unselected rows (the
  // joystick's focus flash).
  void draw(const DRAWITEMSTRUCT& item, const search::ItemList& items, const std::vector<int>& columns,
            HIMAGELIST machineIcons, std::optional<COLORREF> background = std::nullopt) const;

  // Five stars, `filled` of them filled, from the left of `box` and centred
  // in its height (as text when "rating.bmp" is missing).
  void drawStars(HDC dc, RECT box, int filled) const;
  static constexpr int kStarRowHeight = 18;

private:
  void drawCell(HDC dc, RECT cell, int column, int item, const search::ItemList& items,
                HIMAGELIST machineIcons) const;
  void drawText(HDC dc, const std::string& text, RECT box, HFONT font, UINT format) const;

  ui::OwnedFont normal_;
  ui::OwnedFont mini_;
  COLORREF text_ = 0;
  COLORREF line1_ = 0;
  COLORREF line2_ = 0;
  COLORREF rule_ = 0;
  int rowHeight_ = 34;
  ui::OwnedImageList stars_;      // 0 filled, 1 empty
  ui::OwnedImageList favourites_;  // 0..9
  ui::OwnedImageList adult_;       // one mark each, beside the favourite marks
  ui::OwnedImageList alterEgo_;
  ui::OwnedImageList maxdisk_;
  ui::OwnedImageList spacer_;
};

}  // namespace qm::shell

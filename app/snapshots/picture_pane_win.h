// One picture of the current item drawn in a window: the pane asks its
// loader for the picture at the size of its area, keeps the newest result
// and draws it, or the text that stands for no picture ("NO SNAP" when the
// item has nowhere to look, "File Not Found." when nothing was found).
// While a new picture is on its way the previous one stays, stretched to the
// new area if the area changed, so the window never waits.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "app/snapshots/item_snapshots.h"
#include "app/snapshots/picture_loader_win.h"

namespace qm::snapshots {

class PicturePane {
public:
  // Results for `window` come as `message`, which the window passes to take().
  void attach(HWND window, UINT message);
  void detach();

  // The item (nothing: none) and its slot 0..2 to show, found with `rules`.
  void show(const std::optional<ItemSnapshots>& item, int slot, const FindSettings& rules);
  // The area and the way the picture fills it; asks again when the scaled
  // picture would differ.
  void place(const Placement& placement);
  // On the message: true when a new result came; the window is invalidated.
  bool take();

  const PictureResult* result() const { return result_.get(); }
  // The picture in `area` of `dc`, or the text for no picture in `font`.
  void draw(HDC dc, const RECT& area, HFONT font, COLORREF textColour) const;

private:
  void ask();

  HWND window_ = nullptr;
  std::unique_ptr<PictureLoader> loader_;
  std::optional<ItemSnapshots> item_;
  int slot_ = 0;
  FindSettings rules_;
  Placement placement_;
  std::unique_ptr<PictureResult> result_;
};

}  // namespace qm::snapshots

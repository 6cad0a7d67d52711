#include "app/snapshots/picture_pane_win.h"

#include <string>

namespace qm::snapshots {

namespace {

// Whether two placements give the same scaled picture. At actual size the
// area only moves the picture, which the drawing does.
bool sameScaling(const Placement& a, const Placement& b) {
  if (a.fit != b.fit || a.enlarge != b.enlarge || a.background != b.background) return false;
  return a.fit == FitMode::ActualSize || a.area == b.area;
}

}  // namespace

void PicturePane::attach(HWND window, UINT message) {
  window_ = window;
  loader_ = std::make_unique<PictureLoader>(window, message);
}

void PicturePane::detach() {
  loader_.reset();
  result_.reset();
  window_ = nullptr;
}

void PicturePane::show(const std::optional<ItemSnapshots>& item, int slot, const FindSettings& rules) {
  // A selection change that leaves the current item (select all, say) asks nothing.
  if (result_ && item && item == item_ && slot == slot_ && rules == rules_) return;
  item_ = item;
  slot_ = slot;
  rules_ = rules;
  if (!item_) {
    if (loader_) loader_->cancel();
    result_.reset();
    if (window_) InvalidateRect(window_, nullptr, FALSE);
    return;
  }
  ask();
}

void PicturePane::place(const Placement& placement) {
  const bool again = !sameScaling(placement, placement_);
  placement_ = placement;
  if (again && item_) ask();
}

void PicturePane::ask() {
  if (!loader_ || placement_.area.empty()) return;
  PictureRequest request;
  request.sources = item_->slots[slot_];
  request.names = item_->names;
  request.rules = rules_;
  request.placement = placement_;
  loader_->request(std::move(request));
}

bool PicturePane::take() {
  if (!loader_) return false;
  auto fresh = loader_->take();
  if (!fresh) return false;
  result_ = std::move(fresh);
  InvalidateRect(window_, nullptr, FALSE);
  return true;
}

void PicturePane::draw(HDC dc, const RECT& area, HFONT font, COLORREF textColour) const {
  if (!result_) return;
  const PixelSize size{area.right - area.left, area.bottom - area.top};
  if (result_->state != PictureState::Shown) {
    const std::string text = result_->state == PictureState::NoSource ? "NO SNAP" : "File Not Found.";
    ui::Selected selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    RECT box = area;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  const ScaledPicture& picture = *result_->picture;
  const PixelBox box = placePicture(picture.original, size, placement_.fit, placement_.enlarge, placement_.anchor);
  if (box.width <= 0 || box.height <= 0) return;
  ui::MemoryDc source(picture.bitmap.get());
  if (box.width == picture.placed.width && box.height == picture.placed.height) {
    BitBlt(dc, area.left + box.left, area.top + box.top, box.width, box.height, source.get(), 0, 0, SRCCOPY);
    return;
  }
  // The area changed and the picture for it is on its way: a quick stretch till then.
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, area.left + box.left, area.top + box.top, box.width, box.height, source.get(), 0, 0,
             picture.placed.width, picture.placed.height, SRCCOPY);
}

}  // namespace qm::snapshots

#include "app/snapshots/picture_fit.h"

#include <algorithm>
#include <cstdint>

namespace qm::snapshots {

namespace {

// The largest size of the shape `shapeW`:`shapeH` inside `area`.
PixelSize fitShape(std::int64_t shapeW, std::int64_t shapeH, PixelSize area) {
  // Whichever side of the area binds first sets the scale.
  if (area.width * shapeH <= area.height * shapeW)
    return {area.width, static_cast<int>(std::max<std::int64_t>(1, area.width * shapeH / shapeW))};
  return {static_cast<int>(std::max<std::int64_t>(1, area.height * shapeW / shapeH)), area.height};
}

PixelBox centred(PixelSize size, PixelSize area) {
  return {(area.width - size.width) / 2, (area.height - size.height) / 2, size.width, size.height};
}

}  // namespace

PixelBox placePicture(PixelSize picture, PixelSize area, FitMode mode, bool enlarge, Anchor anchor) {
  if (picture.empty() || area.empty()) return {};
  switch (mode) {
    case FitMode::Full:
      return {0, 0, area.width, area.height};
    case FitMode::ActualSize: {
      const bool right = anchor == Anchor::TopRight || anchor == Anchor::BottomRight;
      const bool bottom = anchor == Anchor::BottomLeft || anchor == Anchor::BottomRight;
      return {right ? area.width - picture.width : 0, bottom ? area.height - picture.height : 0, picture.width,
              picture.height};
    }
    case FitMode::KeepRatio:
    case FitMode::Ratio4x3:
    case FitMode::Ratio16x10:
      break;
  }
  std::int64_t shapeW = picture.width;
  std::int64_t shapeH = picture.height;
  PixelSize natural = picture;
  if (mode != FitMode::KeepRatio) {
    shapeW = mode == FitMode::Ratio4x3 ? 4 : 16;
    shapeH = mode == FitMode::Ratio4x3 ? 3 : 10;
    natural = {static_cast<int>(std::max<std::int64_t>(1, picture.height * shapeW / shapeH)), picture.height};
  }
  PixelSize size = fitShape(shapeW, shapeH, area);
  if (!enlarge && natural.width <= size.width && natural.height <= size.height) size = natural;
  return centred(size, area);
}

PixelBox windowAroundPicture(PixelBox window, PixelSize frame, PixelSize picture, Anchor anchor) {
  const int width = picture.width + frame.width;
  const int height = picture.height + frame.height;
  const bool right = anchor == Anchor::TopRight || anchor == Anchor::BottomRight;
  const bool bottom = anchor == Anchor::BottomLeft || anchor == Anchor::BottomRight;
  return {right ? window.left + window.width - width : window.left,
          bottom ? window.top + window.height - height : window.top, width, height};
}

}  // namespace qm::snapshots

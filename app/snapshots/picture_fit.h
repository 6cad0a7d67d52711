// Where a picture goes in a drawing area: fitted inside at its own shape, at
// 4:3 or 16:10, stretched over the whole area, or at its actual size in a
// corner; and the window rectangle that shows a picture at its actual size
// while one corner of the window stays where it is.
#pragma once

namespace qm::snapshots {

// The order is the one "TransMode" stores (0 to 4).
enum class FitMode { KeepRatio, Ratio4x3, Ratio16x10, Full, ActualSize };
// The order is the one "SnapPoint" stores (0 to 3).
enum class Anchor { TopLeft, TopRight, BottomLeft, BottomRight };

struct PixelSize {
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PixelSize&) const = default;
};

struct PixelBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelBox&) const = default;
};

// The box (relative to the area's top left) the picture is drawn into. The
// fitted modes centre it; with `enlarge` off a picture smaller than the area
// keeps its size (at 4:3 and 16:10 its height, the width following the
// shape). Full ignores `enlarge`; ActualSize puts the picture unscaled into
// the `anchor` corner. An empty picture or area gives an empty box.
PixelBox placePicture(PixelSize picture, PixelSize area, FitMode mode, bool enlarge, Anchor anchor = Anchor::TopLeft);

// The window rectangle (screen coordinates) whose drawing area is `picture`,
// given the window's rectangle now and the size the frame adds; the `anchor`
// corner keeps its place.
PixelBox windowAroundPicture(PixelBox window, PixelSize frame, PixelSize picture, Anchor anchor);

}  // namespace qm::snapshots

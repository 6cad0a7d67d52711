#include "app/snapshots/picture_fit.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qm::snapshots {

void PrintTo(const PixelBox& b, std::ostream* out) {
  *out << b.left << "," << b.top << " " << b.width << "x" << b.height;
}

namespace {

TEST(PlacePicture, EachModeAtTheEdgesOfItsArea) {
  const struct {
    PixelSize picture, area;
    FitMode mode;
    bool enlarge;
    Anchor anchor;
    PixelBox box;
  } cases[] = {
      // Own shape: the binding side fills, the other is centred.
      {{256, 224}, {512, 512}, FitMode::KeepRatio, true, Anchor::TopLeft, {0, 32, 512, 448}},
      {{320, 200}, {100, 400}, FitMode::KeepRatio, true, Anchor::TopLeft, {0, 169, 100, 62}},
      {{256, 224}, {512, 512}, FitMode::KeepRatio, false, Anchor::TopLeft, {128, 144, 256, 224}},
      {{1000, 10}, {50, 50}, FitMode::KeepRatio, false, Anchor::TopLeft, {0, 24, 50, 1}},  // never 0 high
      // 4:3 and 16:10 whatever the picture's shape; unenlarged, its height stays.
      {{256, 224}, {800, 600}, FitMode::Ratio4x3, true, Anchor::TopLeft, {0, 0, 800, 600}},
      {{256, 224}, {800, 800}, FitMode::Ratio4x3, true, Anchor::TopLeft, {0, 100, 800, 600}},
      {{256, 224}, {800, 600}, FitMode::Ratio4x3, false, Anchor::TopLeft, {251, 188, 298, 224}},
      {{320, 200}, {1600, 1200}, FitMode::Ratio16x10, true, Anchor::TopLeft, {0, 100, 1600, 1000}},
      {{640, 400}, {320, 400}, FitMode::Ratio16x10, false, Anchor::TopLeft, {0, 100, 320, 200}},
      // Full stretches, enlarged or not.
      {{256, 224}, {300, 100}, FitMode::Full, false, Anchor::TopLeft, {0, 0, 300, 100}},
      // Actual size sits in the anchor corner, also when larger than the area.
      {{100, 50}, {300, 200}, FitMode::ActualSize, true, Anchor::TopLeft, {0, 0, 100, 50}},
      {{100, 50}, {300, 200}, FitMode::ActualSize, true, Anchor::TopRight, {200, 0, 100, 50}},
      {{100, 50}, {300, 200}, FitMode::ActualSize, true, Anchor::BottomLeft, {0, 150, 100, 50}},
      {{400, 300}, {300, 200}, FitMode::ActualSize, true, Anchor::BottomRight, {-100, -100, 400, 300}},
      // Nothing to place.
      {{0, 10}, {300, 200}, FitMode::KeepRatio, true, Anchor::TopLeft, {}},
      {{10, 10}, {300, 0}, FitMode::Full, true, Anchor::TopLeft, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(placePicture(c.picture, c.area, c.mode, c.enlarge, c.anchor), c.box)
        << c.picture.width << "x" << c.picture.height << " in " << c.area.width << "x" << c.area.height << " mode "
        << static_cast<int>(c.mode);
}

TEST(WindowAroundPicture, KeepsTheAnchorCornerInPlace) {
  const PixelBox window{100, 200, 400, 300};  // right edge 500, bottom 500
  const PixelSize frame{16, 39};
  const PixelSize picture{256, 224};
  EXPECT_EQ(windowAroundPicture(window, frame, picture, Anchor::TopLeft), (PixelBox{100, 200, 272, 263}));
  EXPECT_EQ(windowAroundPicture(window, frame, picture, Anchor::TopRight), (PixelBox{228, 200, 272, 263}));
  EXPECT_EQ(windowAroundPicture(window, frame, picture, Anchor::BottomLeft), (PixelBox{100, 237, 272, 263}));
  EXPECT_EQ(windowAroundPicture(window, frame, picture, Anchor::BottomRight), (PixelBox{228, 237, 272, 263}));
}

}  // namespace
}  // namespace qm::snapshots

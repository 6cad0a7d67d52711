// The part of a clipboard picture an emulator setting keeps, and the size it
// is saved at (section "ClipToPNG" of the setting).
#pragma once

#include <array>

#include "app/launch/emulator_setting.h"

namespace qm::capture {

struct ClipSettings {
  int threshold = 0;       // pictures narrower than this use the first cut-out
  int x[2]{}, y[2]{}, width[2]{}, height[2]{};
  int saveWidth = 0, saveHeight = 0;  // 0: the cut-out's own size
  int stretchMode = 3;     // handed to the platform's stretching blit
};

// From the eleven clip values in file order ("ClipXthreshold" ... "SaveHeight").
ClipSettings clipSettingsFrom(const std::array<int, launch::kClipKeyCount>& clip, int stretchMode = 3);

struct CutOut {
  int x = 0, y = 0, width = 0, height = 0;  // in the picture
  int saveWidth = 0, saveHeight = 0;
  bool empty() const { return width <= 0 || height <= 0 || saveWidth <= 0 || saveHeight <= 0; }
};

// A width or height of 0 is the picture's own; a cut-out reaching past the
// picture is cut at its edge, so the saved picture never holds what was not
// in the original.
CutOut chooseCutOut(int pictureWidth, int pictureHeight, const ClipSettings& clip);

}  // namespace qm::capture

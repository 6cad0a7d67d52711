// Pictures read with GDI+ (BMP, PNG, GIF, JPEG) and drawn smoothly into a
// bitmap of the size they are shown at, so that painting is a plain copy.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/snapshots/picture_fit.h"
#include "app/ui/win_handles_win.h"

namespace qm::snapshots {

// GDI+ started for the life of the object; several may live at once.
class GdiplusSession {
public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ready() const { return token_ != 0; }

private:
  ULONG_PTR token_ = 0;
};

struct ScaledPicture {
  PixelSize original;      // the picture's own size
  PixelBox placed;         // where it goes in the area it was scaled for
  ui::OwnedBitmap bitmap;  // placed.width x placed.height, 32-bit
};

struct Placement {
  PixelSize area;
  FitMode fit = FitMode::KeepRatio;
  bool enlarge = true;
  Anchor anchor = Anchor::TopLeft;
  COLORREF background = RGB(255, 255, 255);  // under transparent parts
};

// Reads the picture file `path` (program text) and scales it as `placement`
// says. Nothing when the file cannot be read or holds no picture GDI+ knows.
// Safe on any thread while a GdiplusSession lives.
std::optional<ScaledPicture> decodeScaled(const std::string& path, const Placement& placement);

}  // namespace qm::snapshots

// Pictures taken from the system: the clipboard's bitmap cut out and scaled
// as an emulator setting says, the desktop or the foreground window grabbed
// from the display.
#pragma once

#include <windows.h>

#include <optional>

#include "common/platform/shared_library.h"

#include "app/capture/cut_out.h"
#include "app/capture/picture.h"

namespace qm::capture {

// The clipboard's bitmap (CF_DIB), cut out and stretched with the setting's
// stretch mode. Nothing when the clipboard holds no bitmap.
std::optional<Picture> clipboardPicture(const ClipSettings& clip);
// The whole clipboard bitmap as it is.
std::optional<Picture> clipboardPicture();

// The rectangle of the display, in screen coordinates.
std::optional<Picture> grabScreen(const RECT& area);
// All monitors together.
RECT desktopArea();

// The desktop composition functions of the window manager library, bound at
// run time: with composition on, a window's frame as drawn (its extended
// frame bounds) rather than its window rectangle.
class WindowFrames {
public:
  explicit WindowFrames(bool systemFolderOnly);
  WindowFrames(const WindowFrames&) = delete;
  WindowFrames& operator=(const WindowFrames&) = delete;
  // The foreground window's frame; nothing without a foreground window.
  std::optional<RECT> foregroundFrame() const;

private:
  platform::SharedLibrary library_;
  HRESULT(WINAPI* compositionEnabled_)(BOOL*) = nullptr;
  HRESULT(WINAPI* windowAttribute_)(HWND, DWORD, void*, DWORD) = nullptr;
};

}  // namespace qm::capture

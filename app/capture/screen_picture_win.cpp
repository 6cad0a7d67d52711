#include "app/capture/screen_picture_win.h"

#include <cstring>

#include "app/ui/clipboard_win.h"
#include "app/ui/win_handles_win.h"

namespace qm::capture {
namespace {

constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS


// Copies `width` x `height` of `source` at (x, y) onto a new picture of the
// saved size, stretched with `mode`.
std::optional<Picture> render(HDC source, int x, int y, int width, int height, int saveWidth, int saveHeight,
                              int mode) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = saveWidth;
  info.bmiHeader.biHeight = -saveHeight;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ui::OwnedBitmap target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!target || !bits) return std::nullopt;
  {
    ui::MemoryDc dc(target.get());
    SetStretchBltMode(dc.get(), mode > 0 ? mode : COLORONCOLOR);
    if (!StretchBlt(dc.get(), 0, 0, saveWidth, saveHeight, source, x, y, width, height, SRCCOPY | CAPTUREBLT))
      return std::nullopt;
  }
  GdiFlush();
  Picture picture(saveWidth, saveHeight);
  const std::size_t stride = (static_cast<std::size_t>(saveWidth) * 3 + 3) & ~std::size_t{3};
  const auto* rows = static_cast<const std::uint8_t*>(bits);
  for (int row = 0; row < saveHeight; ++row) {
    const std::uint8_t* from = rows + row * stride;
    std::uint8_t* to = picture.rgb.data() + static_cast<std::size_t>(row) * saveWidth * 3;
    for (int col = 0; col < saveWidth; ++col, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return picture;
}

// The bitmap of a packed DIB, or nothing.
ui::OwnedBitmap bitmapOf(const BITMAPINFO* info, std::size_t size) {
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (size < sizeof header || header.biSize < sizeof header || header.biSize > size) return nullptr;
  std::size_t colours = header.biClrUsed;
  if (colours == 0 && header.biBitCount <= 8) colours = std::size_t{1} << header.biBitCount;
  std::size_t offset = header.biSize + colours * sizeof(RGBQUAD);
  if (header.biSize == sizeof header && header.biCompression == BI_BITFIELDS) offset += 3 * sizeof(DWORD);
  if (offset >= size) return nullptr;
  ui::WindowDc screen(nullptr);
  return ui::OwnedBitmap(CreateDIBitmap(screen.get(), &header, CBM_INIT, reinterpret_cast<const char*>(info) + offset,
                                        info, DIB_RGB_COLORS));
}

std::optional<Picture> clipboardPictureCut(const ClipSettings* clip) {
  ui::ClipboardLock lock;
  if (!lock.open()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_DIB);
  if (!data) return std::nullopt;
  const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(data));
  if (!info) return std::nullopt;
  const int width = info->bmiHeader.biWidth;
  const int height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
  ui::OwnedBitmap bitmap = bitmapOf(info, GlobalSize(data));
  GlobalUnlock(data);
  if (!bitmap) return std::nullopt;
  const CutOut cut = clip ? chooseCutOut(width, height, *clip) : CutOut{0, 0, width, height, width, height};
  if (cut.empty()) return std::nullopt;
  ui::MemoryDc source(bitmap.get());
  return render(source.get(), cut.x, cut.y, cut.width, cut.height, cut.saveWidth, cut.saveHeight,
                clip ? clip->stretchMode : COLORONCOLOR);
}

}  // namespace

std::optional<Picture> clipboardPicture(const ClipSettings& clip) { return clipboardPictureCut(&clip); }
std::optional<Picture> clipboardPicture() { return clipboardPictureCut(nullptr); }

std::optional<Picture> grabScreen(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return std::nullopt;
  ui::WindowDc screen(nullptr);
  return render(screen.get(), area.left, area.top, width, height, width, height, COLORONCOLOR);
}

RECT desktopArea() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

namespace {
std::string windowManagerLibrary(bool systemFolderOnly) {
  if (!systemFolderOnly) return "dwmapi.dll";
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\dwmapi.dll";
}
}  // namespace

WindowFrames::WindowFrames(bool systemFolderOnly) : library_(windowManagerLibrary(systemFolderOnly)) {
  if (!library_.loaded()) return;
  compositionEnabled_ = library_.function<decltype(compositionEnabled_)>("DwmIsCompositionEnabled");
  windowAttribute_ = library_.function<decltype(windowAttribute_)>("DwmGetWindowAttribute");
}

std::optional<RECT> WindowFrames::foregroundFrame() const {
  HWND front = GetForegroundWindow();
  if (!front) return std::nullopt;
  RECT frame{};
  BOOL composed = FALSE;
  if (compositionEnabled_ && windowAttribute_ && SUCCEEDED(compositionEnabled_(&composed)) && composed &&
      SUCCEEDED(windowAttribute_(front, kExtendedFrameBounds, &frame, sizeof frame)))
    return frame;
  if (!GetWindowRect(front, &frame)) return std::nullopt;
  return frame;
}

}  // namespace qm::capture

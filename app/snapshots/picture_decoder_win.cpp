#include "app/snapshots/picture_decoder_win.h"

#include <objidl.h>

#include <gdiplus.h>

#include <memory>

#include "common/platform/win_handle_win.h"

namespace qm::snapshots {

namespace {

// Snapshots are screen captures: anything past this is no picture to show.
constexpr LONGLONG kLargestFile = 64LL << 20;

struct StreamReleaser {
  void operator()(IStream* s) const { s->Release(); }
};

// The file's bytes in a stream of their own. GDI+ reading a file by name
// keeps it open while the picture lives; from memory the file is free at
// once, so a rename of the snapshot folder's files never meets a lock.
std::unique_ptr<IStream, StreamReleaser> readStream(const std::string& path) {
  const platform::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kLargestFile) return nullptr;
  const DWORD length = static_cast<DWORD>(size.QuadPart);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length);
  if (!memory) return nullptr;
  void* bytes = GlobalLock(memory);
  DWORD read = 0;
  const bool whole = bytes && ReadFile(file.get(), bytes, length, &read, nullptr) && read == length;
  if (bytes) GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (!whole || CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
    GlobalFree(memory);
    return nullptr;
  }
  return std::unique_ptr<IStream, StreamReleaser>(stream);
}

HBITMAP topDownBitmap(PixelSize size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.width;
  info.bmiHeader.biHeight = -size.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

std::optional<ScaledPicture> decodeScaled(const std::string& path, const Placement& placement) {
  auto stream = readStream(path);
  if (!stream) return std::nullopt;
  std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromStream(stream.get()));
  if (!image || image->GetLastStatus() != Gdiplus::Ok) return std::nullopt;
  ScaledPicture scaled;
  scaled.original = {static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight())};
  scaled.placed = placePicture(scaled.original, placement.area, placement.fit, placement.enlarge, placement.anchor);
  if (scaled.original.empty() || scaled.placed.width <= 0 || scaled.placed.height <= 0) return std::nullopt;
  scaled.bitmap.reset(topDownBitmap({scaled.placed.width, scaled.placed.height}));
  if (!scaled.bitmap) return std::nullopt;
  {
    ui::MemoryDc dc(scaled.bitmap.get());
    Gdiplus::Graphics graphics(dc.get());
    graphics.Clear(Gdiplus::Color(GetRValue(placement.background), GetGValue(placement.background),
                                  GetBValue(placement.background)));
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
    // Without it the filter reads past the edges and frames the picture in grey.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::Rect target(0, 0, scaled.placed.width, scaled.placed.height);
    if (graphics.DrawImage(image.get(), target, 0, 0, scaled.original.width, scaled.original.height,
                           Gdiplus::UnitPixel, &edges) != Gdiplus::Ok)
      return std::nullopt;
  }
  GdiFlush();
  return scaled;
}

}  // namespace qm::snapshots

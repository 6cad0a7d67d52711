// Decoding with GDI+ and the loader's thread, under Wine as on Windows. The
// pictures are written at test time by GDI+'s own encoders.
#include "app/snapshots/picture_loader_win.h"

#include <objidl.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "common/platform/files.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::snapshots {
namespace {

std::wstring wide(const std::string& text) {
  std::wstring out(text.size(), L'\0');
  out.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size())));
  return out;
}

bool encoderFor(const wchar_t* mime, CLSID& clsid) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i)
    if (std::wcscmp(codecs[i].MimeType, mime) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  return false;
}

bool writePicture(const std::string& path, const wchar_t* mime, int width, int height, COLORREF colour) {
  CLSID clsid;
  if (!encoderFor(mime, clsid)) return false;
  Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
  Gdiplus::Graphics(&bitmap).Clear(Gdiplus::Color(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
  return bitmap.Save(wide(path).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

// A one-colour GIF written byte by byte: Wine's GIF encoder writes files its
// own decoder refuses. Codes are 8 bits wide (7-bit pixels), with a clear
// code before every 126 pixels so the width never grows: no compression.
bool writeGif(const std::string& path, int width, int height, COLORREF colour) {
  std::string gif = "GIF89a";
  const auto word = [&gif](int v) { gif += static_cast<char>(v & 0xFF), gif += static_cast<char>(v >> 8); };
  word(width);
  word(height);
  gif += static_cast<char>(0xF6);  // a global table of 128 colours
  gif += std::string(2, '\0');
  gif += static_cast<char>(GetRValue(colour)), gif += static_cast<char>(GetGValue(colour));
  gif += static_cast<char>(GetBValue(colour));
  gif += std::string(127 * 3, '\0');
  gif += ',';
  word(0), word(0), word(width), word(height);
  gif += '\0';
  gif += '\x07';
  std::string codes;
  for (int pixel = 0; pixel < width * height; ++pixel) {
    if (pixel % 126 == 0) codes += static_cast<char>(0x80);
    codes += '\0';
  }
  codes += static_cast<char>(0x81);
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::string block = codes.substr(at, 255);
    gif += static_cast<char>(block.size());
    gif += block;
  }
  gif += '\0';
  gif += ';';
  return test::writeFile(path, gif);
}

bool similar(COLORREF a, COLORREF b) {
  const auto close = [](int x, int y) { return std::abs(x - y) <= 8; };  // JPEG is lossy
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

COLORREF pixelAt(HBITMAP bitmap, int x, int y) {
  ui::MemoryDc dc(bitmap);
  return GetPixel(dc.get(), x, y);
}

class PictureTest : public ::testing::Test {
protected:
  GdiplusSession gdiplus;
  test::TempFolder folder;
};

TEST_F(PictureTest, EachFormatIsReadAndScaledIntoItsBox) {
  ASSERT_TRUE(gdiplus.ready());
  const struct {
    const wchar_t* mime;
    const char* name;
  } formats[] = {{L"image/bmp", "p.bmp"}, {L"image/png", "p.png"}, {L"image/gif", "p.gif"}, {L"image/jpeg", "p.jpg"}};
  const COLORREF colour = RGB(0, 153, 51);  // a colour of the web palette, exact in a GIF
  for (const auto& format : formats) {
    const std::string path = folder.file(format.name);
    const bool gif = std::wcscmp(format.mime, L"image/gif") == 0;
    ASSERT_TRUE(gif ? writeGif(path, 64, 48, colour) : writePicture(path, format.mime, 64, 48, colour)) << format.name;
    Placement placement;
    placement.area = {128, 128};
    placement.background = RGB(255, 0, 255);
    const auto scaled = decodeScaled(path, placement);
    if (!scaled) {
      ADD_FAILURE() << format.name << " not read";
      continue;
    }
    EXPECT_EQ(scaled->original, (PixelSize{64, 48})) << format.name;
    EXPECT_EQ(scaled->placed, (PixelBox{0, 16, 128, 96})) << format.name;
    // Smooth scaling leaves no grey frame at the edges.
    for (const auto& [x, y] : {std::pair{64, 48}, {0, 0}, {127, 95}})
      EXPECT_TRUE(similar(pixelAt(scaled->bitmap.get(), x, y), colour)) << format.name << " at " << x << "," << y;
  }
}

TEST_F(PictureTest, WhatIsNoPictureIsRefused) {
  ASSERT_TRUE(test::writeFile(folder.file("text.png"), "not a picture"));
  ASSERT_TRUE(test::writeFile(folder.file("empty.bmp"), ""));
  Placement placement;
  placement.area = {100, 100};
  for (const char* name : {"text.png", "empty.bmp", "absent.jpg"})
    EXPECT_FALSE(decodeScaled(folder.file(name), placement)) << name;
  ASSERT_TRUE(writePicture(folder.file("ok.png"), L"image/png", 8, 8, RGB(1, 2, 3)));
  placement.area = {0, 100};
  EXPECT_FALSE(decodeScaled(folder.file("ok.png"), placement));  // no room
}

// A message-only window the loader posts to.
struct Receiver {
  Receiver() : window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~Receiver() { DestroyWindow(window); }
  // The result taken at the loader's next announcement, within `ms`.
  std::unique_ptr<PictureResult> next(PictureLoader& loader, DWORD ms = 5000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
      MSG msg;
      while (PeekMessageA(&msg, window, kMessage, kMessage, PM_REMOVE))
        if (auto taken = loader.take()) return taken;
      Sleep(10);
    }
    return nullptr;
  }
  static constexpr UINT kMessage = WM_APP + 7;
  HWND window;
};

TEST_F(PictureTest, OnlyTheNewestRequestIsAnswered) {
  const std::string snaps = folder.file("snap");
  ASSERT_TRUE(platform::createFolder(snaps));
  ASSERT_TRUE(writePicture(platform::joinPath(snaps, "first.png"), L"image/png", 32, 32, RGB(255, 0, 0)));
  ASSERT_TRUE(writePicture(platform::joinPath(snaps, "second.png"), L"image/png", 32, 32, RGB(0, 0, 255)));
  Receiver receiver;
  PictureLoader loader(receiver.window, Receiver::kMessage);
  PictureRequest request;
  request.sources.machineFolder = snaps;
  request.placement.area = {50, 50};
  request.names.imageName = "first";
  loader.request(request);
  request.names.imageName = "second";
  const std::uint64_t newest = loader.request(request);
  // Whether the first was overtaken before or after it was made, only the
  // second comes out.
  auto result = receiver.next(loader);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->generation, newest);
  EXPECT_EQ(result->state, PictureState::Shown);
  EXPECT_EQ(platform::fileNameOf(result->path), "second.png");
  EXPECT_EQ(result->label, matchLabel(1));
  EXPECT_FALSE(loader.take());

  request.names.imageName = "absent";
  loader.request(request);
  result = receiver.next(loader);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->state, PictureState::NotFound);
  request.sources.machineFolder.clear();
  loader.request(request);
  result = receiver.next(loader);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->state, PictureState::NoSource);

  // A request the window no longer wants gives nothing.
  request.sources.machineFolder = snaps;
  request.names.imageName = "first";
  loader.request(request);
  loader.cancel();
  EXPECT_FALSE(receiver.next(loader, 500));
}

}  // namespace
}  // namespace qm::snapshots

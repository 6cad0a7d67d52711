// The clipboard around a key script's pastes: what was there before comes
// back whole after the script, in every format that is one memory block,
// unless someone else wrote to the clipboard after the last paste.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/keys/key_sender_win.h"

namespace qm::keys {
namespace {

const UINT kMarkFormat = RegisterClipboardFormatA("QmKeySenderTestMark");

HGLOBAL block(const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  return memory;
}

// A 2 x 2 24-bit picture whose pixel bytes count up from `seed`.
std::vector<char> dib(char seed) {
  std::vector<char> bytes(sizeof(BITMAPINFOHEADER) + 2 * 8);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bytes.data());
  header->biSize = sizeof *header;
  header->biWidth = 2;
  header->biHeight = 2;
  header->biPlanes = 1;
  header->biBitCount = 24;
  for (std::size_t i = sizeof *header; i < bytes.size(); ++i) bytes[i] = static_cast<char>(seed + i);
  return bytes;
}

void put(const std::vector<std::pair<UINT, std::vector<char>>>& formats) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  for (const auto& [format, bytes] : formats) SetClipboardData(format, block(bytes.data(), bytes.size()));
  CloseClipboard();
}

std::vector<char> text(const std::string& s) { return std::vector<char>(s.c_str(), s.c_str() + s.size() + 1); }

// The format's bytes, cut to `size` (the system may round a block up); empty when absent.
std::vector<char> read(UINT format, std::size_t size) {
  std::vector<char> bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = GetClipboardData(format)) {
    const auto* start = static_cast<const char*>(GlobalLock(data));
    if (start && GlobalSize(data) >= size) bytes.assign(start, start + size);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

TEST(KeySenderClipboard, MemoryBlockFormats) {
  for (UINT format : {UINT(CF_TEXT), UINT(CF_UNICODETEXT), UINT(CF_OEMTEXT), UINT(CF_DIB), UINT(CF_DIBV5),
                      UINT(CF_HDROP), UINT(CF_LOCALE), UINT(CF_PRIVATEFIRST - 1), UINT(CF_GDIOBJLAST + 1), kMarkFormat})
    EXPECT_TRUE(isMemoryBlockFormat(format)) << format;
  for (UINT format : {UINT(CF_BITMAP), UINT(CF_PALETTE), UINT(CF_METAFILEPICT), UINT(CF_ENHMETAFILE),
                      UINT(CF_OWNERDISPLAY), UINT(CF_DSPBITMAP), UINT(CF_DSPMETAFILEPICT), UINT(CF_DSPENHMETAFILE),
                      UINT(CF_PRIVATEFIRST), UINT(CF_PRIVATELAST), UINT(CF_GDIOBJFIRST), UINT(CF_GDIOBJLAST)})
    EXPECT_FALSE(isMemoryBlockFormat(format)) << format;
}

TEST(KeySenderClipboard, PicturesAndOtherFormatsComeBackAfterThePastes) {
  const std::vector<char> picture = dib(7), mark = text("mark bytes");
  put({{CF_DIB, picture}, {kMarkFormat, mark}, {CF_TEXT, text("before")}});
  {
    EmulatorKeySink sink(0);
    sink.clipboardText("first");
    EXPECT_EQ(read(CF_TEXT, 6), text("first"));
    EXPECT_TRUE(read(CF_DIB, picture.size()).empty());
    // The second paste must not take the first one's text for the user's.
    sink.clipboardText("second");
    sink.scriptEnded();
  }
  EXPECT_EQ(read(CF_DIB, picture.size()), picture);
  EXPECT_EQ(read(kMarkFormat, mark.size()), mark);
  EXPECT_EQ(read(CF_TEXT, 7), text("before"));
}

TEST(KeySenderClipboard, WhatCameAfterThePasteStays) {
  put({{CF_DIB, dib(1)}});
  const std::vector<char> later = dib(50);
  EmulatorKeySink sink(0);
  sink.clipboardText("pasted");
  put({{CF_DIB, later}});
  sink.scriptEnded();
  EXPECT_EQ(read(CF_DIB, later.size()), later);
  EXPECT_TRUE(read(CF_TEXT, 1).empty());
}

TEST(KeySenderClipboard, TheSinkGoingRestoresAndAScriptWithoutPasteLeavesAlone) {
  const std::vector<char> picture = dib(3);
  put({{CF_DIB, picture}});
  { EmulatorKeySink(0).clipboardText("pasted"); }
  EXPECT_EQ(read(CF_DIB, picture.size()), picture);
  {
    EmulatorKeySink sink(0);
    put({{CF_TEXT, text("user")}});
    sink.scriptEnded();
  }
  EXPECT_EQ(read(CF_TEXT, 5), text("user"));
}

}  // namespace
}  // namespace qm::keys

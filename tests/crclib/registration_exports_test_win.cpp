// dirAddImg with a real progress window under Wine: the worker fills the
// controls, steps the bar over its 32-bit range and ends with "終了".
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "common/text/encoding.h"
#include "crclib/registration_exports.h"
#include "tests/crclib/registration_fixture.h"

namespace qm::reg::test {
namespace {

using text::sjis;

std::string numbered(int i) {
  std::string name = "f";
  name += std::to_string(i);
  name += ".d88";
  return name;
}

std::string textOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST_F(RegistrationTest, ProgressWindowOfARun) {
  platform::SharedLibrary library(
      platform::joinPath(platform::currentFolder(), platform::sharedLibraryFileName("Quillmoor2_GetCRC")));
  ASSERT_TRUE(library.loaded());
  const auto setGVal = library.function<SetGValCrcExport>("setGValCRC");
  const auto dirAddImg = library.function<DirAddImgExport>("dirAddImg");
  ASSERT_TRUE(setGVal && dirAddImg);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);

  const std::string root = tree("win");
  for (int i = 0; i < 5; ++i) put(root, numbered(i), std::string(10, char('a' + i)));
  HWND owner = CreateWindowExA(0, "STATIC", "progress", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                               nullptr, nullptr);
  const auto child = [&](const char* cls, const char* text) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, owner, nullptr, nullptr, nullptr);
  };
  HWND status = child("STATIC", "--"), item = child("STATIC", "--"), marker = child("STATIC", "x");
  HWND button = child("BUTTON", "abort"), bar = child(PROGRESS_CLASSA, "");

  const std::string db = dbPath(), ini = folder.file("Quillmoor2.ini"), programFolder = folder.path();
  setGVal(db.c_str(), ini.c_str(), programFolder.c_str(), "", 1, nullptr);
  std::int32_t options[kOptionCount] = {};
  options[23] = 1;
  const std::string machine = sjis("テスト");
  const char* texts[kTextCount] = {root.c_str(), machine.c_str(), "", "", "", ""};
  const std::uint32_t window[2] = {0, 0};
  dirAddImg(owner, status, item, marker, button, bar, options, texts, window);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  // The window learns the end from the message alone; by then every text is set.
  bool endedMessage = false;
  while (!endedMessage && std::chrono::steady_clock::now() < deadline) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == kRunEndedMessage && msg.hwnd == owner) endedMessage = true;
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
  EXPECT_TRUE(endedMessage);
  EXPECT_EQ(text::sjisToUtf8(textOf(button)), "終了");
  EXPECT_EQ(text::sjisToUtf8(textOf(status)), "5 件の格納・更新が完了しました。( 5 ファイル中 )");
  EXPECT_EQ(textOf(marker), "");
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 5);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 5);
  setGVal(db.c_str(), ini.c_str(), programFolder.c_str(), "", 1, nullptr);
  EXPECT_EQ(rows("SELECT count(*) FROM main_table WHERE crc32!='';"), (std::vector<std::string>{"5"}));
  DestroyWindow(owner);
}

// The program frees the library as soon as its progress window is gone, which
// may be during a run: the run stops, and the library goes only after it.
TEST_F(RegistrationTest, ClosedWindowStopsTheRunAndTheLibraryOutlivesIt) {
  const std::string root = tree("closed");
  for (int i = 0; i < 200; ++i) put(root, numbered(i), std::string(1000, char('a' + i % 26)));
  const std::string db = dbPath(), ini = folder.file("Quillmoor2.ini"), programFolder = folder.path();
  {
    platform::SharedLibrary library(
        platform::joinPath(platform::currentFolder(), platform::sharedLibraryFileName("Quillmoor2_GetCRC")));
    ASSERT_TRUE(library.loaded());
    const auto setGVal = library.function<SetGValCrcExport>("setGValCRC");
    const auto dirAddImg = library.function<DirAddImgExport>("dirAddImg");
    HWND owner = CreateWindowExA(0, "STATIC", "progress", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND status = CreateWindowExA(0, "STATIC", "--", WS_CHILD, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
    DestroyWindow(owner);
    setGVal(db.c_str(), ini.c_str(), programFolder.c_str(), "", 1, nullptr);
    std::int32_t options[kOptionCount] = {};
    options[23] = options[24] = 1;
    const std::string machine = sjis("テスト");
    const char* texts[kTextCount] = {root.c_str(), machine.c_str(), "", "", "", ""};
    const std::uint32_t window[2] = {0, 0};
    dirAddImg(owner, status, status, status, status, status, options, texts, window);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (GetModuleHandleA("Quillmoor2_GetCRC.dll") && std::chrono::steady_clock::now() < deadline) Sleep(10);
  EXPECT_EQ(GetModuleHandleA("Quillmoor2_GetCRC.dll"), nullptr);
  EXPECT_EQ(rows("SELECT count(*) FROM main_table;"), (std::vector<std::string>{"0"}));
}

}  // namespace
}  // namespace qm::reg::test

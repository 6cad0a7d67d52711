// The exports' windows under Wine: the message box of a failed open, pressed
// from a second thread, and the "wait." marker in a real status window.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "crclib/crc_export_types.h"
#include "crclib/heap_text.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::crc::test {
namespace {

struct SeenBox {
  bool found = false;
  std::string text;
  HWND owner = nullptr;
  bool cancel = true;
  bool icon = true;
};

BOOL CALLBACK findCaption(HWND window, LPARAM param) {
  char className[32] = {}, caption[64] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (std::string(className) != "#32770" || std::string(caption) != "CRC32 calc error") return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

// The message is the one static control with text; an icon would be shown by
// a static control of the icon style.
BOOL CALLBACK readStatics(HWND child, LPARAM param) {
  auto* seen = reinterpret_cast<SeenBox*>(param);
  char className[32] = {}, text[512] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") != 0) return TRUE;
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  if ((style & SS_TYPEMASK) == SS_ICON) {
    seen->icon = seen->icon || SendMessageA(child, STM_GETICON, 0, 0) != 0;
    return TRUE;
  }
  GetWindowTextA(child, text, sizeof text);
  if (text[0]) seen->text = text;
  return TRUE;
}

SeenBox pressOkWhenShown(DWORD thread) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  HWND box = nullptr;
  while (!box && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EnumThreadWindows(thread, findCaption, reinterpret_cast<LPARAM>(&box));
  }
  SeenBox seen;
  if (!box) return seen;
  seen.found = true;
  seen.icon = false;
  EnumChildWindows(box, readStatics, reinterpret_cast<LPARAM>(&seen));
  seen.owner = GetWindow(box, GW_OWNER);
  seen.cancel = GetDlgItem(box, IDCANCEL) != nullptr && IsWindowVisible(GetDlgItem(box, IDCANCEL));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  return seen;
}

std::string systemText(DWORD code) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, LANG_USER_DEFAULT, text,
                 sizeof text, nullptr);
  return text;
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

bool canShowWindows() {
  const HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (!probe) return false;
  DestroyWindow(probe);
  return true;
}

class CrcExportWindowsTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!canShowWindows()) GTEST_SKIP() << "no display";
    library = platform::SharedLibrary(
        platform::joinPath(platform::currentFolder(), platform::sharedLibraryFileName("Quillmoor2_GetCRC")));
    ASSERT_TRUE(library.loaded()) << library.error();
    fileCrc32 = library.function<GetFileCrcExport>("GetFileCRC32");
    ASSERT_TRUE(fileCrc32);
  }

  platform::SharedLibrary library;
  GetFileCrcExport fileCrc32 = nullptr;
  qm::test::TempFolder temp;
};

TEST_F(CrcExportWindowsTest, MissingFileShowsTheSystemTextInAnOwnerlessBox) {
  char* result = nullptr;
  SeenBox seen;
  std::thread presser([&, thread = GetCurrentThreadId()] { seen = pressOkWhenShown(thread); });
  fileCrc32(temp.file("missing.bin").c_str(), &result, nullptr, 0, 0);
  presser.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(trimmed(seen.text), trimmed(systemText(ERROR_FILE_NOT_FOUND)));
  EXPECT_NE(trimmed(seen.text), "");
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_FALSE(seen.cancel);
  EXPECT_FALSE(seen.icon);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(std::string(result), "00000000");
  freeHeapText(result);
}

TEST_F(CrcExportWindowsTest, StatusWindowShowsTheMarkerCycle) {
  const HWND status = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(status, nullptr);
  const std::string path = temp.file("nine.bin");
  ASSERT_TRUE(qm::test::writeFile(path, "123456789"));
  const std::string cycle = "wait.  |wait . |wait  .|wait.  |wait . ";
  std::string shown;
  for (int call = 0; call < 3; ++call) {
    char* result = nullptr;
    fileCrc32(path.c_str(), &result, status, 0, 0);
    EXPECT_EQ(std::string(result), "CBF43926");
    freeHeapText(result);
    char text[16] = {};
    GetWindowTextA(status, text, sizeof text);
    if (call) shown += '|';
    shown += text;
  }
  EXPECT_NE(cycle.find(shown), std::string::npos) << shown;
  DestroyWindow(status);
}

}  // namespace
}  // namespace qm::crc::test

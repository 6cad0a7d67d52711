// Real message boxes: a second thread finds the box the sink opened, notes its
// buttons, icon and owner, and presses a button.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "common/platform/message_sink.h"
#include "tests/common/platform/sjis_samples.h"

namespace qm::test {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

struct SeenBox {
  bool found = false;
  bool ok = false, cancel = false, yes = false, no = false;
  HICON icon = nullptr;
  HWND owner = nullptr;
};

struct Search {
  const std::string* caption;
  HWND box;
};

BOOL CALLBACK findBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char className[32] = {}, text[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, text, sizeof text);
  if (std::string(className) != "#32770" || *search->caption != text) return TRUE;
  search->box = window;
  return FALSE;
}

BOOL CALLBACK findIcon(HWND child, LPARAM param) {
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  if (lstrcmpiA(className, "Static") != 0 || (style & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child)) {
    return TRUE;
  }
  *reinterpret_cast<HICON*>(param) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  return FALSE;
}

SeenBox describe(HWND box) {
  SeenBox seen;
  seen.found = true;
  seen.ok = GetDlgItem(box, IDOK) != nullptr;
  seen.cancel = GetDlgItem(box, IDCANCEL) != nullptr;
  seen.yes = GetDlgItem(box, IDYES) != nullptr;
  seen.no = GetDlgItem(box, IDNO) != nullptr;
  EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&seen.icon));
  seen.owner = GetWindow(box, GW_OWNER);
  return seen;
}

// Runs beside the thread that shows the box; gives up after ten seconds.
SeenBox pressWhenShown(DWORD thread, const std::string& caption, int button) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  Search search{&caption, nullptr};
  while (!search.box && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EnumThreadWindows(thread, findBox, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.box) return {};
  const SeenBox seen = describe(search.box);
  PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(search.box, button)));
  return seen;
}

// Without a display Wine can make no window and MessageBoxA returns at once.
bool canShowWindows() {
  const HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (!probe) return false;
  DestroyWindow(probe);
  return true;
}

struct BoxCase {
  MessageIcon icon;
  MessageButtons buttons;
  int press;
  MessageAnswer expected;
  LPCSTR systemIcon;  // null: no icon
};

MessageAnswer showAndPress(HWND owner, const BoxCase& c, const std::string& caption, SeenBox* seen) {
  const auto sink = platform::makeWindowSink(owner);
  std::thread presser([&, thread = GetCurrentThreadId()] { *seen = pressWhenShown(thread, caption, c.press); });
  const MessageAnswer answer = sink->show(sjis::kHyouji + " text", caption, c.icon, c.buttons);
  presser.join();
  return answer;
}

TEST(WindowSinkTest, ButtonsIconsAndAnswersMapToMessageBoxA) {
  if (!canShowWindows()) GTEST_SKIP() << "no display";
  const BoxCase cases[] = {
      {MessageIcon::Question, MessageButtons::YesNo, IDYES, MessageAnswer::Yes, IDI_QUESTION},
      {MessageIcon::Question, MessageButtons::YesNo, IDNO, MessageAnswer::No, IDI_QUESTION},
      {MessageIcon::Warning, MessageButtons::OkCancel, IDOK, MessageAnswer::Ok, IDI_WARNING},
      {MessageIcon::Warning, MessageButtons::OkCancel, IDCANCEL, MessageAnswer::Cancel, IDI_WARNING},
      {MessageIcon::Error, MessageButtons::Ok, IDOK, MessageAnswer::Ok, IDI_ERROR},
      {MessageIcon::Information, MessageButtons::Ok, IDOK, MessageAnswer::Ok, IDI_INFORMATION},
      {MessageIcon::None, MessageButtons::Ok, IDOK, MessageAnswer::Ok, nullptr},
  };
  int n = 0;
  for (const BoxCase& c : cases) {
    const std::string caption = sjis::kSoft + " " + std::to_string(++n);
    SCOPED_TRACE(n);
    SeenBox seen;
    EXPECT_EQ(showAndPress(nullptr, c, caption, &seen), c.expected);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.yes, c.buttons == MessageButtons::YesNo);
    EXPECT_EQ(seen.no, c.buttons == MessageButtons::YesNo);
    EXPECT_EQ(seen.ok, c.buttons != MessageButtons::YesNo);
    EXPECT_EQ(seen.cancel, c.buttons == MessageButtons::OkCancel);
    EXPECT_EQ(seen.icon, c.systemIcon ? LoadIconA(nullptr, c.systemIcon) : nullptr);
  }
}

TEST(WindowSinkTest, TheBoxBelongsToTheOwnerWindow) {
  if (!canShowWindows()) GTEST_SKIP() << "no display";
  const HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  SeenBox seen;
  const BoxCase c{MessageIcon::None, MessageButtons::Ok, IDOK, MessageAnswer::Ok, nullptr};
  EXPECT_EQ(showAndPress(owner, c, "owned", &seen), MessageAnswer::Ok);
  EXPECT_TRUE(seen.found);
  EXPECT_EQ(seen.owner, owner);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace qm::test

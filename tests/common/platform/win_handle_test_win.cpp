// The one owner of kernel and search handles: both ways a function reports a
// failed open are empty, and a handle is closed exactly once, by its owner.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "common/platform/win_handle_win.h"

namespace qm::test {
namespace {

using platform::UniqueFind;
using platform::UniqueHandle;

bool isOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(WinHandleTest, FailedOpensAreEmpty) {
  for (HANDLE failed : {HANDLE(nullptr), INVALID_HANDLE_VALUE}) {
    UniqueHandle handle(failed);
    EXPECT_FALSE(handle);
    EXPECT_EQ(handle.get(), nullptr);
    handle.reset(failed);
    EXPECT_FALSE(handle);
    UniqueFind find(failed);
    EXPECT_FALSE(find);
  }
  WIN32_FIND_DATAA found;
  EXPECT_FALSE(UniqueFind(FindFirstFileA("Z:\\no such folder\\*", &found)));
}

TEST(WinHandleTest, OwnerClosesOnceAndMovesOwnership) {
  const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(event);
  {
    UniqueHandle first(event);
    UniqueHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), event);
    UniqueHandle third;
    third = std::move(second);
    EXPECT_TRUE(isOpen(event));
  }
  EXPECT_FALSE(isOpen(event));

  const HANDLE kept = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  UniqueHandle owner(kept);
  EXPECT_EQ(owner.release(), kept);
  EXPECT_FALSE(owner);
  EXPECT_TRUE(isOpen(kept));
  owner.reset(kept);
  owner.reset();
  EXPECT_FALSE(isOpen(kept));
}

TEST(WinHandleTest, FindOwnerListsAFolder) {
  char folder[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
  WIN32_FIND_DATAA found;
  const UniqueFind find(FindFirstFileA((std::string(folder) + "*").c_str(), &found));
  ASSERT_TRUE(find);
  EXPECT_NE(FindNextFileA(find.get(), &found), FALSE);
}

}  // namespace
}  // namespace qm::test

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Every conversion test assumes a Japanese ANSI code page; say so plainly
// instead of failing a hash.
TEST(CodePage, AnsiCodePageIsJapanese) {
  ASSERT_EQ(GetACP(), 932u) << "run under Wine with LANG=ja_JP.UTF-8 (tools/wine-run.sh)";
}

}  // namespace

// Where path text is cut: both separators or the file system's own, and never
// at a Shift-JIS trail byte 0x5C.
#include <gtest/gtest.h>

#include <string>

#include "common/platform/path_separators.h"
#include "tests/common/platform/sjis_samples.h"

namespace qm::test {
namespace {

using platform::Separators;

constexpr std::size_t kNone = std::string_view::npos;
#ifdef _WIN32
constexpr bool kNativeBackslash = true;
#else
constexpr bool kNativeBackslash = false;
#endif

TEST(PathSeparatorsTest, WhichCharactersSeparate) {
  struct Case {
    char c;
    bool both, native;
  };
  const Case cases[] = {{'\\', true, kNativeBackslash}, {'/', true, true}, {':', false, false},
                        {'.', false, false},            {'a', false, false}, {'\0', false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(platform::isSeparator(c.c), c.both) << c.c;
    EXPECT_EQ(platform::isSeparator(c.c, Separators::Both), c.both) << c.c;
    EXPECT_EQ(platform::isSeparator(c.c, Separators::Native), c.native) << c.c;
  }
}

struct SplitCase {
  std::string path;
  std::size_t last;   // with both separators
  std::string folder;
  std::string name;
};

std::vector<SplitCase> splitCases() {
  const std::string hyou = "\x95\x5C";  // 表
  const std::string so = "\x83\x5C";    // ソ
  return {
      {"", kNone, "", ""},
      {"name.zip", kNone, "", "name.zip"},
      {hyou + "\\", 2, hyou, ""},
      {so, kNone, "", so},
      {hyou, kNone, "", hyou},
      {so + so + so, kNone, "", so + so + so},
      {"a\\" + so, 1, "a", so},
      {"a/" + hyou + "\\" + sjis::kSoft, 4, "a/" + hyou, sjis::kSoft},
      {sjis::kSoft + "/" + sjis::kHyouji, 6, sjis::kSoft, sjis::kHyouji},
      {"a\\b/c", 3, "a\\b", "c"},
      {"a/b\\c", 3, "a/b", "c"},
      {"C:\\", 2, "C:", ""},
      {"C:\\x.d88", 2, "C:", "x.d88"},
      {"C:x.d88", kNone, "", "C:x.d88"},
      {"\\", 0, "", ""},
      {"/", 0, "", ""},
      {"\\\\server\\share\\" + so, 14, "\\\\server\\share", so},
      {"\\\\server", 1, "\\", "server"},
      // A lead byte at the very end stands alone; one before "\" takes it as
      // its trail byte, and only the next "\" separates.
      {"a\\\x83", 1, "a", "\x83"},
      {"\x83\\\\", 2, "\x83\\", ""},
  };
}

TEST(PathSeparatorsTest, LastSeparatorAndSplitWithBothSeparators) {
  for (const SplitCase& c : splitCases()) {
    EXPECT_EQ(platform::lastSeparator(c.path), c.last) << c.path;
    const platform::PathSplit split = platform::splitAtLastSeparator(c.path);
    EXPECT_EQ(split.folder, c.folder) << c.path;
    EXPECT_EQ(split.name, c.name) << c.path;
  }
}

TEST(PathSeparatorsTest, NativeSeparatorsCutAtBackslashOnlyOnWindows) {
  const std::string path = "a/b\\" + sjis::kSoft;
  EXPECT_EQ(platform::lastSeparator(path, Separators::Native), kNativeBackslash ? 3u : 1u);
  const platform::PathSplit split = platform::splitAtLastSeparator(path, Separators::Native);
  EXPECT_EQ(split.name, kNativeBackslash ? sjis::kSoft : "b\\" + sjis::kSoft);
  EXPECT_EQ(platform::lastSeparator(sjis::kHyouji, Separators::Native), kNone);
}

TEST(PathSeparatorsTest, NextSeparatorSkipsTrailBytes) {
  const std::string path = "\\\\" + sjis::kSoft + "\\" + sjis::kHyouji + "/x";
  struct Case {
    std::size_t from, next;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {2, 8}, {9, 13}, {14, 15}, {15, 15}};
  for (const Case& c : cases) EXPECT_EQ(platform::nextSeparator(path, c.from), c.next) << c.from;
  EXPECT_EQ(platform::nextSeparator(sjis::kSoft, 0), sjis::kSoft.size());
  EXPECT_EQ(platform::nextSeparator("", 0), 0u);
}

TEST(PathSeparatorsTest, AbsolutePathsAreDrivesRootsAndNetworkPaths) {
  const std::pair<std::string, bool> cases[] = {
      {"C:\\x", true},       {"C:x", true},     {"c:", true},         {"\\", true},
      {"/", true},              {"\\\\server\\share", true}, {"//server", true},
      {"", false},              {"x", false},      {"x\\y", false},     {".\\x", false},
      {"..\\x", false},       {sjis::kSoft, false}, {"\x95\x5C", false}};
  for (const auto& [path, absolute] : cases) EXPECT_EQ(platform::isAbsolutePath(path), absolute) << path;
}

}  // namespace
}  // namespace qm::test

// Path text is cut by character, so a Shift-JIS trail byte 0x5C is never taken
// for the Windows separator.
#include <gtest/gtest.h>

#include <string>

#include "common/platform/files.h"
#include "tests/common/platform/sjis_samples.h"

namespace qm::test {
namespace {

using platform::fileNameOf;
using platform::folderOf;
using platform::joinPath;

const std::string kSep(1, platform::kPathSeparator);

TEST(PathTest, JoinAddsExactlyOneSeparator) {
  EXPECT_EQ(joinPath("a", "b"), "a" + kSep + "b");
  EXPECT_EQ(joinPath("a" + kSep, "b"), "a" + kSep + "b");
  EXPECT_EQ(joinPath("a", kSep + "b"), "a" + kSep + "b");
  EXPECT_EQ(joinPath("a" + kSep, kSep + "b"), "a" + kSep + "b");
  EXPECT_EQ(joinPath("", "b"), "b");
  EXPECT_EQ(joinPath(sjis::kSoft, "b"), sjis::kSoft + kSep + "b");
}

TEST(PathTest, FolderAndNameSplitAtTheLastSeparator) {
  const std::string path = "a" + kSep + sjis::kSoft + kSep + sjis::kHyouji;
  EXPECT_EQ(folderOf(path), "a" + kSep + sjis::kSoft);
  EXPECT_EQ(fileNameOf(path), sjis::kHyouji);
  EXPECT_EQ(folderOf("a" + kSep + sjis::kSoft), "a");
  EXPECT_EQ(fileNameOf("a" + kSep + sjis::kSoft), sjis::kSoft);
  EXPECT_EQ(folderOf("a" + kSep), "a");
  EXPECT_EQ(fileNameOf("a" + kSep), "");
}

TEST(PathTest, BareNamesAndTheRoot) {
  EXPECT_EQ(folderOf("name.ini"), "");
  EXPECT_EQ(fileNameOf("name.ini"), "name.ini");
  EXPECT_EQ(folderOf(sjis::kSoft), "");
  EXPECT_EQ(fileNameOf(sjis::kSoft), sjis::kSoft);
  EXPECT_EQ(folderOf(kSep + "x"), kSep);
}

TEST(PathTest, ForwardSlashSeparatesEverywhere) {
  EXPECT_EQ(folderOf("a/b/c"), "a/b");
  EXPECT_EQ(fileNameOf("a/b/c"), "c");
  EXPECT_EQ(joinPath("a/", "b"), "a/b");
}

}  // namespace
}  // namespace qm::test

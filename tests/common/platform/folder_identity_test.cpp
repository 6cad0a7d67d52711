// A folder is the same folder by whatever path it is reached.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/platform/files.h"
#include "common/platform/folder_identity.h"
#include "common/text/encoding.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

TEST(FolderIdentity, AFolderIsEnteredOnceByAnyPath) {
  TempFolder temp;
  const std::string a = temp.file("a"), b = temp.file("b"), link = temp.file("link");
  ASSERT_TRUE(platform::createFolder(a));
  ASSERT_TRUE(platform::createFolder(b));
  ASSERT_TRUE(platform::createFolder(platform::joinPath(a, "sub")));
  platform::VisitedFolders visited;
  EXPECT_TRUE(visited.enter(a));
  EXPECT_FALSE(visited.enter(a));
  EXPECT_FALSE(visited.enter(platform::joinPath(platform::joinPath(a, "sub"), "..")));
  EXPECT_TRUE(visited.enter(b));
  // Nothing to know a missing folder by: left to the walk to report.
  EXPECT_TRUE(visited.enter(temp.file("none")));
  EXPECT_TRUE(visited.enter(temp.file("none")));
  EXPECT_NE(platform::folderIdentity(a), platform::folderIdentity(b));
  std::error_code error;
#ifdef _WIN32
  std::filesystem::create_directory_symlink(a, link, error);
#else
  std::filesystem::create_directory_symlink(text::sjisToUtf8(a), text::sjisToUtf8(link), error);
#endif
  if (error) GTEST_SKIP() << "no links here";
  EXPECT_FALSE(visited.enter(link));
}

}  // namespace
}  // namespace qm::test

// Canonical paths of real files: every text that leads to a file agrees, and a
// path that does not exist has none.
#include <gtest/gtest.h>

#include <string>

#include "common/platform/canonical_path.h"
#include "common/platform/files.h"
#include "tests/common/platform/raw_file.h"
#include "tests/common/platform/sjis_samples.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

TEST(CanonicalPath, DotsAndDoubledSeparatorsLeadToOneName) {
  TempFolder folder;
  const std::string sub = folder.file(sjis::kHyouji);
  ASSERT_TRUE(platform::createFolder(sub));
  const std::string file = platform::joinPath(sub, sjis::kSoft + ".db");
  writeBytes(file, "library");
  const auto canonical = platform::canonicalPath(file);
  ASSERT_TRUE(canonical);
  const std::string sep(1, platform::kPathSeparator);
  for (const std::string& other : {sub + sep + "." + sep + sjis::kSoft + ".db", sub + sep + sep + sjis::kSoft + ".db",
                                   sub + sep + ".." + sep + sjis::kHyouji + sep + sjis::kSoft + ".db"}) {
    EXPECT_EQ(platform::canonicalPath(other), canonical) << other;
    EXPECT_TRUE(platform::sameExistingFile(other, file)) << other;
  }
  EXPECT_EQ(platform::canonicalPath(folder.file("absent")), std::nullopt);
  EXPECT_FALSE(platform::sameExistingFile(folder.file("absent"), folder.file("absent")));
  EXPECT_FALSE(platform::sameExistingFile(file, sub));
}

}  // namespace
}  // namespace qm::test

// Whole-file writes through a temporary file: the target is replaced only by a
// complete write, and every failure leaves it, and the folder, as they were.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/platform/atomic_file.h"
#include "tests/common/platform/raw_file.h"
#include "tests/common/platform/sjis_samples.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

using platform::AtomicFile;
using platform::Overwrite;

class AtomicFileTest : public ::testing::Test {
protected:
  std::string fileWith(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.file(name);
    writeBytes(path, bytes);
    return path;
  }
  std::vector<std::string> names() const { return listFolder(folder_.path()); }

  TempFolder folder_;
};

TEST_F(AtomicFileTest, WholeBytesReplaceOrCreateTheTargetAndLeaveNothingElse) {
  const std::string old = fileWith(sjis::kSoft + ".ini", "old and longer than the new bytes");
  ASSERT_TRUE(platform::writeFileAtomically(old, "new"));
  ASSERT_TRUE(platform::writeFileAtomically(folder_.file("fresh.csv"), ""));
  EXPECT_EQ(readBytes(old), "new");
  EXPECT_EQ(readBytes(folder_.file("fresh.csv")), "");
  EXPECT_EQ(names(), (std::vector<std::string>{"fresh.csv", sjis::kSoft + ".ini"}));
}

TEST_F(AtomicFileTest, TheTargetIsUntouchedUntilTheCommit) {
  const std::string target = fileWith("game.d88", "kept");
  AtomicFile file(target);
  ASSERT_TRUE(file.isOpen());
  ASSERT_TRUE(file.write(std::string(100000, 'x')));
  EXPECT_EQ(readBytes(target), "kept");
  EXPECT_EQ(names().size(), 2u);
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(readBytes(target), std::string(100000, 'x'));
  EXPECT_EQ(names(), std::vector<std::string>{"game.d88"});
}

TEST_F(AtomicFileTest, AFileDroppedWithoutCommitLeavesTheOldOne) {
  const std::string target = fileWith("game.d88", "kept");
  {
    AtomicFile file(target);
    ASSERT_TRUE(file.write("half of it"));
  }
  EXPECT_EQ(readBytes(target), "kept");
  EXPECT_EQ(names(), std::vector<std::string>{"game.d88"});
}

// The rename is the last step that can fail: a folder at the target.
TEST_F(AtomicFileTest, AFailedRenameRemovesOnlyTheTemporaryFile) {
  const std::string sub = folder_.file("sub");
  ASSERT_TRUE(platform::createFolder(sub));
  writeBytes(platform::joinPath(sub, "inside"), "inside");
  AtomicFile file(sub);
  ASSERT_TRUE(file.write("bytes"));
  EXPECT_FALSE(file.commit());
  EXPECT_FALSE(file.targetExisted());
  EXPECT_NE(file.errorCode(), 0u);
  EXPECT_EQ(names(), std::vector<std::string>{"sub"});
  EXPECT_EQ(readBytes(platform::joinPath(sub, "inside")), "inside");
}

TEST_F(AtomicFileTest, ACreateThatCannotStartWritesNothing) {
  const std::string underMissing = platform::joinPath(folder_.file("missing"), "a.ini");
  AtomicFile file(underMissing);
  EXPECT_FALSE(file.isOpen());
  EXPECT_FALSE(file.write("x"));
  EXPECT_FALSE(file.commit());
  EXPECT_FALSE(platform::writeFileAtomically(underMissing, "x"));
  EXPECT_TRUE(names().empty());
}

TEST_F(AtomicFileTest, NeverOverwriteRefusesWhatAppearedMeanwhile) {
  const std::string target = folder_.file("backup.bak");
  AtomicFile file(target, Overwrite::Never);
  ASSERT_TRUE(file.write("mine"));
  writeBytes(target, "theirs");
  EXPECT_FALSE(file.commit());
  EXPECT_TRUE(file.targetExisted());
  EXPECT_EQ(readBytes(target), "theirs");
  EXPECT_EQ(names(), std::vector<std::string>{"backup.bak"});
}

TEST_F(AtomicFileTest, TwoWritersOfOneTargetUseTwoTemporaryFiles) {
  const std::string target = folder_.file("same.ini");
  AtomicFile first(target), second(target);
  ASSERT_TRUE(first.isOpen() && second.isOpen());
  EXPECT_NE(first.temporaryPath(), second.temporaryPath());
  EXPECT_EQ(platform::folderOf(first.temporaryPath()), folder_.path());
  EXPECT_EQ(first.temporaryPath().substr(first.temporaryPath().size() - 6), ".qmtmp");
  ASSERT_TRUE(first.write("first") && second.write("second"));
  ASSERT_TRUE(second.commit());
  ASSERT_TRUE(first.commit());
  EXPECT_EQ(readBytes(target), "first");
  EXPECT_EQ(names(), std::vector<std::string>{"same.ini"});
}

TEST_F(AtomicFileTest, CopyOverReplacesAndCopyNewRefuses) {
  const std::string from = fileWith("from", "source");
  const std::string to = fileWith("to", "old");
  EXPECT_EQ(platform::copyFileAtomically(from, to, Overwrite::Never), platform::CopyResult::TargetExists);
  EXPECT_EQ(readBytes(to), "old");
  EXPECT_EQ(platform::copyFileAtomically(from, to, Overwrite::Allowed), platform::CopyResult::Copied);
  EXPECT_EQ(readBytes(to), "source");
  EXPECT_EQ(platform::copyFileAtomically(folder_.file("absent"), to, Overwrite::Allowed), platform::CopyResult::Failed);
  EXPECT_EQ(readBytes(to), "source");
  EXPECT_EQ(names(), (std::vector<std::string>{"from", "to"}));
}

}  // namespace
}  // namespace qm::test

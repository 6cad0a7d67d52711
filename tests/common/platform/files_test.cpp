// File and folder operations on real files in a temporary folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "common/platform/files.h"
#include "tests/common/platform/raw_file.h"
#include "tests/common/platform/sjis_samples.h"
#include "tests/support/temp_folder.h"

namespace qm::test {
namespace {

using platform::CopyResult;

class FilesTest : public ::testing::Test {
protected:
  std::string fileWith(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.file(name);
    writeBytes(path, bytes);
    return path;
  }
  std::string subFolder(const std::string& name) {
    const std::string path = folder_.file(name);
    EXPECT_TRUE(platform::createFolder(path));
    return path;
  }

  TempFolder folder_;
};

TEST_F(FilesTest, ExistenceAndSize) {
  const std::string file = fileWith(sjis::kSoft + ".bin", "12345");
  const std::string sub = subFolder(sjis::kHyouji);
  const std::string absent = folder_.file("absent");

  EXPECT_TRUE(platform::fileExists(file));
  EXPECT_TRUE(platform::fileExists(sub));
  EXPECT_FALSE(platform::fileExists(absent));
  EXPECT_FALSE(platform::folderExists(file));
  EXPECT_TRUE(platform::folderExists(sub));
  EXPECT_FALSE(platform::folderExists(absent));
  EXPECT_EQ(platform::fileSize(file), 5u);
  EXPECT_EQ(platform::fileSize(fileWith("empty", "")), 0u);
  EXPECT_EQ(platform::fileSize(sub), std::nullopt);
  EXPECT_EQ(platform::fileSize(absent), std::nullopt);
}

// A sparse file: the size is past 4 GiB without the disk space.
TEST_F(FilesTest, SizeBeyondFourGigabytes) {
  const std::string path = fileWith("big", "");
  const std::uintmax_t size = (std::uintmax_t{5} << 30) + 7;
  std::filesystem::resize_file(std::filesystem::path(path), size);
  EXPECT_EQ(platform::fileSize(path), size);
}

TEST_F(FilesTest, CreateFolderSucceedsWhenTheFolderIsThere) {
  const std::string path = folder_.file(sjis::kSoft);
  EXPECT_TRUE(platform::createFolder(path));
  EXPECT_TRUE(platform::folderExists(path));
  EXPECT_TRUE(platform::createFolder(path));
  EXPECT_FALSE(platform::createFolder(fileWith("file", "x")));
  EXPECT_FALSE(platform::createFolder(platform::joinPath(folder_.file("missing"), "child")));
  EXPECT_FALSE(platform::folderExists(folder_.file("missing")));
}

TEST_F(FilesTest, DeleteFileOnlyDeletesFiles) {
  const std::string file = fileWith(sjis::kSoft, "x");
  const std::string sub = subFolder("sub");
  EXPECT_TRUE(platform::deleteFile(file));
  EXPECT_FALSE(platform::fileExists(file));
  EXPECT_FALSE(platform::deleteFile(file));
  EXPECT_FALSE(platform::deleteFile(sub));
  EXPECT_TRUE(platform::folderExists(sub));
}

TEST_F(FilesTest, TruncateEmptiesAnExistingFileOnly) {
  const std::string file = fileWith(sjis::kSoft, "content");
  EXPECT_TRUE(platform::truncateFile(file));
  EXPECT_EQ(readBytes(file), "");
  const std::string absent = folder_.file("absent");
  EXPECT_FALSE(platform::truncateFile(absent));
  EXPECT_FALSE(platform::fileExists(absent));
}

TEST_F(FilesTest, MoveRenamesFilesAndFoldersButNeverOverwrites) {
  const std::string file = fileWith(sjis::kSoft + ".ini", "x");
  const std::string sub = subFolder(sjis::kSoft);
  EXPECT_TRUE(platform::moveFile(file, folder_.file(sjis::kHyouji + ".ini")));
  EXPECT_TRUE(platform::moveFile(sub, folder_.file(sjis::kHyouji)));
  EXPECT_EQ(readBytes(folder_.file(sjis::kHyouji + ".ini")), "x");
  EXPECT_TRUE(platform::folderExists(folder_.file(sjis::kHyouji)));
  EXPECT_FALSE(platform::fileExists(file));
  EXPECT_FALSE(platform::fileExists(sub));

  const std::string kept = fileWith("kept", "old");
  EXPECT_FALSE(platform::moveFile(fileWith("other", "new"), kept));
  EXPECT_FALSE(platform::moveFile(subFolder("empty"), subFolder("target")));
  EXPECT_FALSE(platform::moveFile(folder_.file("absent"), folder_.file("new")));
  EXPECT_EQ(readBytes(kept), "old");
  EXPECT_TRUE(platform::folderExists(folder_.file("empty")));
}

TEST_F(FilesTest, CopyCopiesBytesAndModificationTime) {
  const std::string bytes = std::string("\0\r\n\x1a", 4) + std::string(200000, 'b') + sjis::kSoft;
  const std::string from = fileWith(sjis::kSoft, bytes);
  const std::string to = folder_.file(sjis::kHyouji);
  ASSERT_EQ(platform::copyFileNoOverwrite(from, to), CopyResult::Copied);
  EXPECT_TRUE(readBytes(to) == bytes);

  namespace fs = std::filesystem;
  const fs::path dated(fileWith("dated", "x"));
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(dated, old);
  ASSERT_EQ(platform::copyFileNoOverwrite(dated.string(), folder_.file("copy")), CopyResult::Copied);
  EXPECT_LT(std::chrono::abs(fs::last_write_time(fs::path(folder_.file("copy"))) - old), std::chrono::seconds(1));
}

TEST_F(FilesTest, CopyNeverOverwrites) {
  const std::string from = fileWith("from", "new");
  const std::string to = fileWith("to", "old");
  EXPECT_EQ(platform::copyFileNoOverwrite(from, to), CopyResult::TargetExists);
  EXPECT_EQ(readBytes(to), "old");
  EXPECT_EQ(platform::copyFileNoOverwrite(from, subFolder("sub")), CopyResult::TargetExists);
}

TEST_F(FilesTest, CopyFailuresAreNotTargetExists) {
  const std::string from = fileWith("from", "x");
  const std::string existing = fileWith("existing", "old");
  EXPECT_EQ(platform::copyFileNoOverwrite(folder_.file("absent"), existing), CopyResult::Failed);
  EXPECT_EQ(platform::copyFileNoOverwrite(subFolder("sub"), folder_.file("new")), CopyResult::Failed);
  EXPECT_FALSE(platform::fileExists(folder_.file("new")));
  const std::string underMissing = platform::joinPath(folder_.file("missing"), "to");
  EXPECT_EQ(platform::copyFileNoOverwrite(from, underMissing), CopyResult::Failed);
  EXPECT_EQ(readBytes(existing), "old");
}

TEST_F(FilesTest, CurrentFolderExists) {
  const std::string current = platform::currentFolder();
  ASSERT_FALSE(current.empty());
  EXPECT_TRUE(platform::folderExists(current));
}

TEST(LocalTimeTest, FieldsAreCalendarValues) {
  const platform::LocalTime t = platform::localTimeNow();
  EXPECT_GE(t.year, 2024);
  EXPECT_TRUE(t.month >= 1 && t.month <= 12) << t.month;
  EXPECT_TRUE(t.day >= 1 && t.day <= 31) << t.day;
  EXPECT_TRUE(t.hour >= 0 && t.hour <= 23) << t.hour;
  EXPECT_TRUE(t.minute >= 0 && t.minute <= 59) << t.minute;
  EXPECT_TRUE(t.second >= 0 && t.second <= 60) << t.second;
}

}  // namespace
}  // namespace qm::test

// Broken, cut-off, foreign and missing archives give the members read before
// the damage and an error, never a crash or a member made up.
#include <gtest/gtest.h>

#include "common/archive/member_reader.h"
#include "common/archive/member_walk.h"
#include "tests/common/archive/archive_fixtures.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::archive::ArchiveErrorKind;

std::vector<std::string> memberNames(const qm::archive::WalkResult& walk) {
  std::vector<std::string> result;
  for (const auto& m : walk.members) result.push_back(m.name);
  return result;
}

TEST(DamagedArchive, CutZipKeepsTheMembersBeforeTheCut) {
  QM_NEED_FIXTURES();
  const auto whole = qm::archive::listMembers(fixtures->path("debian-zip.zip"));
  const auto cut = qm::archive::listMembers(fixtures->path("truncated.zip"));
  ASSERT_TRUE(cut.error);
  EXPECT_EQ(cut.error->kind, ArchiveErrorKind::Damaged);
  ASSERT_FALSE(cut.members.empty());
  ASSERT_LT(cut.members.size(), whole.members.size());
  const auto all = memberNames(whole);
  EXPECT_EQ(memberNames(cut), std::vector<std::string>(all.begin(), all.begin() + cut.members.size()));
  // Without the central directory nothing states a CRC.
  EXPECT_FALSE(cut.members.front().statedCrc32);

  qm::archive::MemorySink first;
  EXPECT_FALSE(qm::archive::readMember(fixtures->path("truncated.zip"), cut.members.front().name, first));
  EXPECT_EQ(first.bytes().size(), cut.members.front().size);
  qm::archive::MemorySink last;
  const auto error = qm::archive::readMember(fixtures->path("truncated.zip"), cut.members.back().name, last);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, ArchiveErrorKind::Damaged);
}

TEST(DamagedArchive, CutSevenZipHasNoDirectoryLeft) {
  QM_NEED_FIXTURES();
  const auto cut = qm::archive::listMembers(fixtures->path("truncated.7z"));
  ASSERT_TRUE(cut.error);
  EXPECT_EQ(cut.error->kind, ArchiveErrorKind::Damaged);
  EXPECT_TRUE(cut.members.empty());
}

TEST(DamagedArchive, SpoiledMemberFailsWhileItsNeighbourReads) {
  QM_NEED_FIXTURES();
  const std::string path = fixtures->path("corrupt.zip");
  qm::archive::MemorySink good;
  EXPECT_FALSE(qm::archive::readMember(path, "good.bin", good));
  EXPECT_EQ(good.bytes().size(), 5000u);
  qm::archive::MemorySink bad;
  const auto error = qm::archive::readMember(path, "bad.bin", bad);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, ArchiveErrorKind::Damaged);
}

TEST(DamagedArchive, EncryptedMemberIsListedButNotRead) {
  QM_NEED_FIXTURES();
  const std::string path = fixtures->path("encrypted.zip");
  const auto walk = qm::archive::listMembers(path);
  EXPECT_EQ(memberNames(walk), std::vector<std::string>{"readme.txt"});
  qm::archive::MemorySink sink;
  const auto error = qm::archive::readMember(path, "readme.txt", sink);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, ArchiveErrorKind::Damaged);
}

TEST(DamagedArchive, EmptyZipHasNoMembersAndNoError) {
  QM_NEED_FIXTURES();
  const auto walk = qm::archive::listMembers(fixtures->path("empty.zip"));
  EXPECT_FALSE(walk.error);
  EXPECT_TRUE(walk.members.empty());
}

TEST(DamagedArchive, ForeignMissingAndUnknownFiles) {
  qm::test::TempFolder temp;
  ASSERT_TRUE(qm::test::writeFile(temp.file("notes.zip"), "PK but not a zip file at all\n"));
  const auto foreign = qm::archive::listMembers(temp.file("notes.zip"));
  ASSERT_TRUE(foreign.error);
  EXPECT_EQ(foreign.error->kind, ArchiveErrorKind::Damaged);

  const auto missing = qm::archive::listMembers(temp.file("missing.7z"));
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(missing.error->kind, ArchiveErrorKind::CannotOpen);
  EXPECT_EQ(missing.error->message, temp.file("missing.7z") + ": cannot be opened");

  ASSERT_TRUE(qm::test::writeFile(temp.file("image.d88"), "not an archive"));
  const auto unknown = qm::archive::listMembers(temp.file("image.d88"));
  ASSERT_TRUE(unknown.error);
  EXPECT_EQ(unknown.error->kind, ArchiveErrorKind::UnknownType);
}

// A zip file's bytes as another type: only the type's own reader is tried.
TEST(DamagedArchive, ExtensionDecidesTheReader) {
  QM_NEED_FIXTURES();
  qm::test::TempFolder temp;
  ASSERT_TRUE(qm::test::writeFile(temp.file("really-a-zip.lzh"), *qm::test::readFile(fixtures->path("python-utf8.zip"))));
  const auto walk = qm::archive::listMembers(temp.file("really-a-zip.lzh"));
  ASSERT_TRUE(walk.error);
  EXPECT_TRUE(walk.members.empty());
}

}  // namespace

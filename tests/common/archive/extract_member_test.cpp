// Extraction into a folder: the file lands under the last part of the member's
// name, names that would leave the folder are refused, and a failure leaves
// nothing behind.
#include <gtest/gtest.h>

#include "common/archive/extraction_target.h"
#include "common/archive/member_extract.h"
#include "common/archive/member_reader.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/common/archive/archive_fixtures.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::archive::ArchiveErrorKind;
using qm::text::sjis;

TEST(ExtractionTarget, UnsafeNames) {
  for (const char* name : {"../evil.txt", "sub/../../up.txt", "a\\..\\b.txt", "..", "/abs.txt", "\\abs.txt",
                           "C:drive.txt", "C:/x.txt", "file.txt:stream", "folder/", "folder/.", ""})
    EXPECT_TRUE(qm::archive::isUnsafeMemberName(name)) << name;
  for (const char* name : {"game.d88", "disk/Game (Disk 1).d88", "..game.d88", "a..b/c.txt", "dir\\x.fdi"})
    EXPECT_FALSE(qm::archive::isUnsafeMemberName(name)) << name;
}

TEST(ExtractionTarget, LastPartOfTheNameByCharacter) {
  const std::string folder = "extract";
  EXPECT_EQ(qm::archive::extractionTarget(folder, "disk/Game (Disk 1).d88"),
            qm::platform::joinPath(folder, "Game (Disk 1).d88"));
  EXPECT_EQ(qm::archive::extractionTarget(folder, "dir\\x.fdi"), qm::platform::joinPath(folder, "x.fdi"));
  // 0x5C ends "表", it separates nothing.
  EXPECT_EQ(qm::archive::extractionTarget(folder, sjis("表示/表.d88")), qm::platform::joinPath(folder, sjis("表.d88")));
  EXPECT_EQ(qm::archive::extractionTarget(folder, "../x"), std::nullopt);
}

TEST(ExtractMember, WritesTheMemberUnderItsFileName) {
  QM_NEED_FIXTURES();
  qm::test::TempFolder temp;
  const std::string member = "\x95\x5C" + sjis("だよ/ソフト.d88");
  for (const char* archive : {"python-cp932.zip", "p7zip.7z", "debian-zip.zip"}) {
    SCOPED_TRACE(archive);
    const auto result = qm::archive::extractMember(fixtures->path(archive), member, temp.path());
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_EQ(result.path, temp.file(sjis("ソフト.d88")));
    EXPECT_TRUE(qm::test::sameBytes(qm::test::readFile(result.path),
                                    qm::test::readFile(qm::platform::joinPath(fixtures->folder, "originals/0.bin"))));
  }
  EXPECT_EQ(qm::test::listFolder(temp.path()), std::vector<std::string>{sjis("ソフト.d88")});
}

TEST(ExtractMember, ReplacesAFileOfTheSameName) {
  QM_NEED_FIXTURES();
  qm::test::TempFolder temp;
  ASSERT_TRUE(qm::test::writeFile(temp.file("fine.txt"), std::string(5000, 'x')));
  const auto result = qm::archive::extractMember(fixtures->path("zip-slip.zip"), "ok/fine.txt", temp.path());
  ASSERT_FALSE(result.error) << result.error->message;
  EXPECT_EQ(qm::test::readFile(temp.file("fine.txt")), "payload of ok/fine.txt");
}

TEST(ExtractMember, RefusesNamesThatLeaveTheFolder) {
  QM_NEED_FIXTURES();
  qm::test::TempFolder temp;
  const std::string target = temp.file("target");
  ASSERT_TRUE(qm::platform::createFolder(target));
  for (const char* name : {"../evil.txt", "/abs.txt", "C:drive.txt", "sub/../../up.txt"}) {
    const auto result = qm::archive::extractMember(fixtures->path("zip-slip.zip"), name, target);
    ASSERT_TRUE(result.error) << name;
    EXPECT_EQ(result.error->kind, ArchiveErrorKind::UnsafeName) << name;
    EXPECT_TRUE(result.path.empty());
  }
  EXPECT_TRUE(qm::test::listFolder(target).empty());
  EXPECT_EQ(qm::test::listFolder(temp.path()), std::vector<std::string>{"target"});
}

TEST(ExtractMember, FailureLeavesNoFile) {
  QM_NEED_FIXTURES();
  qm::test::TempFolder temp;
  const auto result = qm::archive::extractMember(fixtures->path("corrupt.zip"), "bad.bin", temp.path());
  ASSERT_TRUE(result.error);
  EXPECT_EQ(result.error->kind, ArchiveErrorKind::Damaged);
  EXPECT_TRUE(qm::test::listFolder(temp.path()).empty());

  const auto missing = qm::archive::extractMember(fixtures->path("corrupt.zip"), "other.bin", temp.path());
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(missing.error->kind, ArchiveErrorKind::NoSuchMember);
  const auto noFolder = qm::archive::extractMember(fixtures->path("corrupt.zip"), "good.bin", temp.file("absent"));
  ASSERT_TRUE(noFolder.error);
  EXPECT_EQ(noFolder.error->kind, ArchiveErrorKind::CannotWrite);
}

// The exact name wins; otherwise the first name equal without regard to ASCII case.
TEST(ExtractMember, NameLookupPrefersTheExactName) {
  QM_NEED_FIXTURES();
  const std::string path = fixtures->path("cases.zip");
  const auto read = [&](const char* name) {
    qm::archive::MemorySink sink;
    const auto error = qm::archive::readMember(path, name, sink);
    return error ? "error: " + error->message : sink.take();
  };
  EXPECT_EQ(read("save.dat"), "lower");
  EXPECT_EQ(read("Save.DAT"), "upper");
  EXPECT_EQ(read("SAVE.dat"), "upper");
  EXPECT_EQ(read("disk/game.d88"), "game");
  qm::test::TempFolder temp;
  const auto result = qm::archive::extractMember(path, "disk/game.d88", temp.path());
  ASSERT_FALSE(result.error);
  EXPECT_EQ(result.path, temp.file("GAME.D88"));
}

}  // namespace

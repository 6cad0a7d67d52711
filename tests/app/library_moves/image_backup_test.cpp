#include "app/library_moves/image_backup.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/library_moves/space_watch.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/support/file_bytes.h"

namespace {

using qm::maintenance::SetItem;
using qm::moves::CopyOutcome;
using qm::text::sjis;
using Strings = std::vector<std::string>;

TEST(CapacityText, MegaBelowAThousandElseGiga) {
  constexpr std::uint64_t kMiB = 1024 * 1024;
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0MByte"},
      {kMiB / 2, "0.50MByte"},
      {512 * kMiB, "512MByte"},
      {512 * kMiB + kMiB / 4, "512.25MByte"},
      {999 * kMiB + kMiB - 1, "999.99MByte"},
      {1000 * kMiB, "0.97GByte"},
      {3 * 1024 * kMiB / 2, "1.50GByte"},
      {2048ULL * 1024 * kMiB, "2048GByte"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(qm::moves::capacityText(bytes), text) << bytes;
}

TEST(TargetFolder, GetsOneTrailingSeparator) {
  const std::string sep(1, qm::platform::kPathSeparator);
  EXPECT_EQ(qm::moves::withTrailingSeparator("backup"), "backup" + sep);
  EXPECT_EQ(qm::moves::withTrailingSeparator("backup" + sep), "backup" + sep);
  EXPECT_EQ(qm::moves::withTrailingSeparator(""), "");
}

class ImageBackupTest : public qm::test::MaintenanceTest {
protected:
  std::string file(const std::string& name, const std::string& bytes) {
    const std::string path = pathOf(name);
    EXPECT_TRUE(qm::test::writeFile(path, bytes));
    return path;
  }
  std::string zip(const std::string& name, const std::vector<std::pair<std::string, std::string>>& members) {
    const std::string path = pathOf(name);
    struct archive* out = archive_write_new();
    archive_write_set_format_zip(out);
    archive_write_open_filename(out, qm::text::sjisToUtf8(path).c_str());
    for (const auto& [member, bytes] : members) {
      struct archive_entry* entry = archive_entry_new();
      archive_entry_set_pathname(entry, member.c_str());
      archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
      archive_entry_set_filetype(entry, AE_IFREG);
      archive_entry_set_perm(entry, 0644);
      archive_write_header(out, entry);
      archive_write_data(out, bytes.data(), bytes.size());
      archive_entry_free(entry);
    }
    archive_write_close(out);
    archive_write_free(out);
    return path;
  }
  SetItem item(const std::string& key, int ply = 0) { return {key, "PC98", std::to_string(ply), ""}; }

  // A set: disk 1 inside a.zip, disk 2 a plain file, disk 3 inside b.zip under
  // the same name as disk 1.
  std::vector<SetItem> addSet() {
    const std::string a = zip("a.zip", {{"x.d88", "disk one"}, {"other.d88", "o"}});
    const std::string b = zip("b.zip", {{"dir/x.d88", "disk three"}});
    const std::string parent = a + "*x.d88";
    addImage(parent, "PC98", "Game", 1);
    addImage(b + "*dir/x.d88", "PC98", "Game", 3, parent);
    addImage(file("y.d88", "disk two"), "PC98", "Game", 2, parent);
    return {item(parent, 1)};
  }

  bool backUp(const std::vector<SetItem>& selected, bool extract) {
    qm::platform::createFolder(target());
    const qm::moves::BackupRequest request{dbPath, folder.path(), selected, extract, target()};
    return qm::moves::backUpImages(request, sink, [this](const Strings& sources, const std::string& to) {
      copied = sources;
      return copyOutcome == CopyOutcome::Done ? qm::moves::copyPortably(sources, to, sink) : copyOutcome;
    });
  }
  std::string target() const { return pathOf("target"); }
  Strings targetFiles() const { return qm::test::listFolder(target()); }

  Strings copied;
  CopyOutcome copyOutcome = CopyOutcome::Done;
};

TEST_F(ImageBackupTest, SummaryNamesTheFirstTitleAndTheCount) {
  addImage("k1", "PC98", "Alpha");
  addImage("k2", "PC98", "Beta");
  EXPECT_EQ(qm::moves::backupSummary(dbPath, {item("k1")}), sjis("Alpha をバックアップします"));
  EXPECT_EQ(qm::moves::backupSummary(dbPath, {item("k2"), item("k1"), item("k1")}),
            sjis("Beta ほか 3 ファイルをバックアップします"));
}

TEST_F(ImageBackupTest, ASetIsCopiedWithMembersUnpackedUnderNamesOfTheirOwn) {
  const auto selected = addSet();
  EXPECT_TRUE(backUp(selected, true));
  EXPECT_EQ(targetFiles(), (Strings{"b_x.d88", "x.d88", "y.d88"}));
  EXPECT_EQ(qm::test::readFile(qm::platform::joinPath(target(), "x.d88")), "disk one");
  EXPECT_EQ(qm::test::readFile(qm::platform::joinPath(target(), "b_x.d88")), "disk three");
  // The run's own folder is gone again.
  EXPECT_EQ(qm::test::listFolder(pathOf("TEMP")), Strings{});
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(ImageBackupTest, WithoutUnpackingEachArchiveIsCopiedOnce) {
  auto selected = addSet();
  addImage(pathOf("a.zip") + "*other.d88", "PC98", "Other");
  selected.push_back(item(pathOf("a.zip") + "*other.d88"));
  EXPECT_TRUE(backUp(selected, false));
  EXPECT_EQ(copied, (Strings{pathOf("a.zip"), pathOf("y.d88"), pathOf("b.zip")}));
  EXPECT_EQ(targetFiles(), (Strings{"a.zip", "b.zip", "y.d88"}));
}

TEST_F(ImageBackupTest, AMemberThatCannotBeUnpackedIsSkippedWithAMessage) {
  zip("a.zip", {{"x.d88", "disk one"}});
  const std::string gone = pathOf("a.zip") + "*missing.d88";
  addImage(gone, "PC98", "Gone");
  addImage(file("y.d88", "two"), "PC98", "Two");
  EXPECT_TRUE(backUp({item(gone), item(pathOf("y.d88"))}, true));
  EXPECT_EQ(targetFiles(), Strings{"y.d88"});
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.captions()[0], "スキップ");
  EXPECT_EQ(qm::text::sjisToUtf8(sink.messages()[0].text).rfind(qm::text::sjisToUtf8(pathOf("a.zip")) +
                                                                   "\n展開に失敗しました。\n", 0),
            0u);
}

TEST_F(ImageBackupTest, FailuresAreNeverReportedAsDone) {
  const auto selected = addSet();
  for (CopyOutcome outcome : {CopyOutcome::Cancelled, CopyOutcome::Failed}) {
    copyOutcome = outcome;
    EXPECT_FALSE(backUp(selected, true));
  }
  // Nothing selected: no copy is tried.
  copied = {"untouched"};
  copyOutcome = CopyOutcome::Done;
  EXPECT_FALSE(backUp({}, true));
  EXPECT_EQ(copied, Strings{"untouched"});
  // A file already in the target folder fails the portable copy.
  EXPECT_TRUE(backUp({item(pathOf("y.d88"))}, true));
  EXPECT_FALSE(backUp({item(pathOf("y.d88"))}, true));
}

TEST_F(ImageBackupTest, AFailedQueryForTheDisksFailsTheBackup) {
  const auto selected = addSet();
  execute("ALTER TABLE main_table RENAME COLUMN ply_file_name TO parent;");
  copied = {"untouched"};
  EXPECT_FALSE(backUp(selected, true));
  EXPECT_EQ(copied, Strings{"untouched"});
  EXPECT_EQ(sink.messages().size(), 1u);
}

TEST_F(ImageBackupTest, AQuoteInTheParentKeyStillFindsItsDisks) {
  addImage("it's", "PC98", "t", 1);
  addImage("it's 2", "PC98", "t", 2, "it's");
  EXPECT_EQ(qm::moves::backupKeys(dbPath, {item("it's", 1)}).keys, (Strings{"it's", "it's 2"}));
}

TEST_F(ImageBackupTest, SizeCountsMembersOrTheirArchivesOnce) {
  const auto selected = addSet();
  const Strings keys = qm::moves::backupKeys(dbPath, selected).keys;
  const std::uint64_t zips = *qm::platform::fileSize(pathOf("a.zip")) + *qm::platform::fileSize(pathOf("b.zip"));
  EXPECT_EQ(qm::moves::backupSize(keys, true), std::string("disk one").size() + 8 + 10);
  EXPECT_EQ(qm::moves::backupSize(keys, false), zips + 8);
}

TEST_F(ImageBackupTest, EachRunHasATemporaryFolderOfItsOwn) {
  std::string first;
  {
    const qm::moves::RunTempFolder one(folder.path());
    const qm::moves::RunTempFolder two(folder.path());
    first = one.path();
    EXPECT_FALSE(one.path().empty());
    EXPECT_NE(one.path(), two.path());
    file("TEMP/" + qm::platform::fileNameOf(one.path()) + "/left.d88", "x");
  }
  EXPECT_FALSE(qm::platform::fileExists(first));
}

TEST(SpaceWatch, MeasuresAgainOnAChangeAndStopsAtOnce) {
  std::atomic<int> measured{0};
  std::atomic<int> changes{0};
  qm::moves::SpaceWatch watch([](const std::string&) { return qm::moves::DiskSpace{100, 40}; },
                              [&](bool extract) {
                                ++measured;
                                return std::uint64_t(extract ? 7 : 9);
                              },
                              [&] { ++changes; }, std::chrono::seconds(30));
  watch.start("x", true);
  auto waitFor = [&](auto done) {
    for (int k = 0; k < 500 && !done(); ++k) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  };
  waitFor([&] { return watch.figures().copied.has_value(); });
  EXPECT_EQ(watch.figures().copied, 7u);
  EXPECT_EQ(watch.figures().drive->free, 40u);
  watch.setExtractMembers(false);
  waitFor([&] { return watch.figures().copied == std::optional<std::uint64_t>(9); });
  EXPECT_EQ(measured.load(), 2);
  const auto asked = std::chrono::steady_clock::now();
  watch.requestStop();
  waitFor([&] { return watch.ended(); });
  EXPECT_TRUE(watch.ended());
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
  watch.join();
}

}  // namespace

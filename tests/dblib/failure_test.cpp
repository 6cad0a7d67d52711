// What happens when the file, a step or the backup lets the setup down: the
// user is told, and the file is left as it was or at the last version reached.
#include <gtest/gtest.h>

#include <ctime>
#include <functional>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/dblib/expected_schema.h"
#include "tests/dblib/legacy_fixtures.h"
#include "tests/dblib/setup_harness.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::test {
namespace {

using platform::MessageIcon;
using qm::test::executeAll;
using qm::test::queryRows;
using text::sjis;
using Rows = std::vector<std::string>;

constexpr const char* kUpgradeError = "DB構造アップデートエラー";

struct UnreadableCase {
  const char* name;
  std::function<void(SetupHarness&)> prepare;
  std::string textUtf8;  // the whole message
};
std::ostream& operator<<(std::ostream& out, const UnreadableCase& c) { return out << c.name; }

class UnreadableVersionTest : public ::testing::TestWithParam<UnreadableCase> {};

void createWithVersionText(SetupHarness& harness, const std::string& value) {
  ASSERT_EQ(harness.run().outcome, SetupOutcome::Created);
  ASSERT_TRUE(executeAll(harness.paths.dbPath, {"UPDATE qlm_table SET ver=" + legacy::literal(value) + ";"}));
  harness.sink.clear();
}

TEST_P(UnreadableVersionTest, ReportsAndChangesNothing) {
  SetupHarness harness;
  ASSERT_NO_FATAL_FAILURE(GetParam().prepare(harness));
  const auto before = qm::test::readFile(harness.paths.dbPath);
  ASSERT_TRUE(before && !before->empty());

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::VersionUnreadable);
  EXPECT_EQ(exportResult(result.outcome), 0);  // the program goes on
  ASSERT_EQ(harness.sink.messages().size(), 1u);
  const auto& message = harness.sink.messages()[0];
  EXPECT_EQ(message.text, sjis(GetParam().textUtf8));
  EXPECT_EQ(message.caption, sjis(kUpgradeError));
  EXPECT_EQ(message.icon, MessageIcon::Error);
  EXPECT_TRUE(qm::test::sameBytes(qm::test::readFile(harness.paths.dbPath), before));
  EXPECT_TRUE(harness.backups().empty());
  EXPECT_FALSE(platform::fileExists(harness.paths.settingsPath));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableVersionTest,
    ::testing::Values(
        UnreadableCase{"NotSqlite",
                       [](SetupHarness& h) { ASSERT_TRUE(qm::test::writeFile(h.paths.dbPath, "Quillmoor library\n")); },
                       "バージョンテーブルを参照できませんでしたfile is not a database"},
        UnreadableCase{"NoVersionTable",
                       [](SetupHarness& h) { ASSERT_TRUE(executeAll(h.paths.dbPath, {"CREATE TABLE t( a );"})); },
                       "バージョンテーブルを参照できませんでしたno such table: qlm_table"},
        UnreadableCase{"VersionIsText", [](SetupHarness& h) { createWithVersionText(h, "abc"); },
                       "バージョンテーブルを参照できませんでした\nqlm_table.ver: abc"},
        UnreadableCase{"VersionIsEmptyText", [](SetupHarness& h) { createWithVersionText(h, ""); },
                       "バージョンテーブルを参照できませんでした\nqlm_table.ver: "}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> columnsOf(const std::string& db, const std::string& table) {
  return queryRows(db, "SELECT name FROM pragma_table_info('" + table + "');");
}

TEST(UpgradeStepFailure, LeavesTheLastVersionReachedAndTheNextStartFinishes) {
  SetupHarness harness;
  ASSERT_NO_FATAL_FAILURE(legacy::build(harness.paths.dbPath, 3, 3));
  // A table of the version-5 step is already there (left by some other tool).
  ASSERT_TRUE(executeAll(harness.paths.dbPath, {"CREATE TABLE alter_ego_table( x );"}));
  const std::string& db = harness.paths.dbPath;

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Failed);
  EXPECT_EQ(exportResult(result.outcome), -1);
  ASSERT_EQ(harness.sink.messages().size(), 2u);
  const auto& message = harness.sink.messages()[1];
  EXPECT_EQ(message.text, sjis("分身起動テーブルが作成できませんでした。table alter_ego_table already exists"));
  EXPECT_EQ(message.caption, sjis(kUpgradeError));
  EXPECT_EQ(message.icon, MessageIcon::Error);
  EXPECT_EQ(harness.backups().size(), 1u);
  // The version-4 step is kept, everything of the failed step is undone.
  EXPECT_EQ(harness.storedVersion(), "4");
  EXPECT_EQ(queryRows(db, "SELECT sql FROM sqlite_master WHERE name='delete_subtable_main';"),
            Rows{expected::storedForm(expected::deleteTrigger(5))});
  EXPECT_EQ(columnsOf(db, "main_table").back(), "rom_num");
  EXPECT_EQ(columnsOf(db, "snap_path_table").back(), "snap3");
  EXPECT_EQ(queryRows(db, "SELECT * FROM favorite_table;"), Rows{legacy::kAlpha + std::string("|1")});
  EXPECT_EQ(queryRows(db, "SELECT count(*) FROM sqlite_master WHERE name IN ('adultex_info_table', 'spec_table');"),
            Rows{"0"});

  ASSERT_TRUE(executeAll(db, {"DROP TABLE alter_ego_table;"}));
  harness.sink.clear();
  result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Upgraded);
  EXPECT_EQ(result.versionBefore, 4);
  EXPECT_EQ(harness.storedVersion(), "8");
  SetupHarness fresh;
  ASSERT_EQ(fresh.run().outcome, SetupOutcome::Created);
  EXPECT_EQ(qm::test::dumpSchema(db), qm::test::dumpSchema(fresh.paths.dbPath));
}

TEST(UpgradeStepFailure, RefusedRenumberingIsReportedPerChildAndUndone) {
  SetupHarness harness;
  const std::string& db = harness.paths.dbPath;
  ASSERT_NO_FATAL_FAILURE(legacy::build(db, 6, 6));
  ASSERT_TRUE(executeAll(db, {"CREATE TRIGGER refuse_ply BEFORE UPDATE OF ply ON main_table WHEN new.file_name IN "
                              "('C:\\disks\\saga4.d88', 'C:\\disks\\quest3.d88') BEGIN SELECT RAISE(ABORT, "
                              "'renumbering refused'); END;"}));
  const std::string plies = "SELECT file_name, ply FROM main_table WHERE ply>1 ORDER BY file_name;";
  const Rows before = queryRows(db, plies);

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Failed);
  // Every child is tried: one message for each refused one.
  ASSERT_EQ(harness.sink.messages().size(), 3u);
  for (int i : {1, 2}) {
    EXPECT_EQ(harness.sink.messages()[i].text, sjis("子イメージ番号を更新できませんでした。renumbering refused"));
    EXPECT_EQ(harness.sink.messages()[i].caption, sjis(kUpgradeError));
  }
  EXPECT_EQ(harness.storedVersion(), "6");
  EXPECT_EQ(queryRows(db, plies), before);
  EXPECT_EQ(queryRows(db, "SELECT count(*) FROM sqlite_master WHERE name='tmp_maxdisk';"), Rows{"0"});

  ASSERT_TRUE(executeAll(db, {"DROP TRIGGER refuse_ply;"}));
  result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Upgraded);
  EXPECT_EQ(queryRows(db, plies), (Rows{"C:\\disks\\quest2.d88|2", "C:\\disks\\quest3.d88|3", "C:\\disks\\saga2.d88|2",
                                        "C:\\disks\\saga3.d88|3", "C:\\disks\\saga4.d88|4"}));
  EXPECT_EQ(queryRows(db, "SELECT * FROM tmp_maxdisk ORDER BY 1;"),
            (Rows{"C:\\disks\\quest1.d88|3", "C:\\disks\\saga1.d88|4"}));
}

// The backup names the next few seconds can give, for a database of version 7.
std::vector<std::string> comingBackupNames() {
  std::vector<std::string> names;
  const std::time_t now = std::time(nullptr);
  for (int offset = -1; offset <= 5; ++offset) {
    std::time_t at = now + offset;
    std::tm t = *std::localtime(&at);
    char text[80];
    std::snprintf(text, sizeof text, "Quillmoor_%d-%02d-%02d_%02d-%02d-%02dBUP_DBver7.db", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    names.push_back(text);
  }
  return names;
}

class BackupTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(legacy::build(harness.paths.dbPath, 7, 7));
    original = qm::test::readFile(harness.paths.dbPath).value_or("");
  }

  void expectBackupRefused(const std::string& backupVersion) {
    SetupResult result = harness.run();
    EXPECT_EQ(result.outcome, SetupOutcome::Failed);
    EXPECT_EQ(exportResult(result.outcome), -1);
    ASSERT_EQ(harness.sink.messages().size(), 2u);
    const auto& message = harness.sink.messages()[1];
    const std::string head =
        sjis("データベースのバックアップを作成できませんでした。\nデータベースは変更していません。\n") +
        platform::joinPath(harness.paths.programFolder, "Quillmoor_");
    EXPECT_EQ(message.text.substr(0, head.size()), head) << message;
    EXPECT_TRUE(message.text.ends_with("BUP_DBver" + backupVersion + ".db")) << message;
    EXPECT_EQ(message.caption, sjis(kUpgradeError));
    EXPECT_EQ(message.icon, MessageIcon::Error);
    EXPECT_TRUE(qm::test::sameBytes(qm::test::readFile(harness.paths.dbPath), original));
    EXPECT_FALSE(platform::fileExists(harness.paths.settingsPath));
  }

  SetupHarness harness;
  std::string original;
};

TEST_F(BackupTest, ANameTooLongForTheFileSystemStopsTheUpgrade) {
  // The version part of the name comes from the file; 300 characters are more
  // than any file name may have.
  const std::string version = "7" + std::string(300, 'x');
  ASSERT_TRUE(executeAll(harness.paths.dbPath, {"UPDATE qlm_table SET ver='" + version + "';"}));
  original = qm::test::readFile(harness.paths.dbPath).value_or("");

  expectBackupRefused(version);
  EXPECT_TRUE(harness.backups().empty());
}

TEST_F(BackupTest, AFolderWhereTheBackupBelongsIsNoBackup) {
  for (const auto& name : comingBackupNames()) ASSERT_TRUE(platform::createFolder(harness.file(name)));

  expectBackupRefused("7");
}

TEST_F(BackupTest, ABackupFileOfTheSameSecondCountsAsTheBackup) {
  for (const auto& name : comingBackupNames()) ASSERT_TRUE(qm::test::writeFile(harness.file(name), "earlier copy"));

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Upgraded);
  EXPECT_EQ(qm::test::readFile(result.backupPath), std::optional<std::string>("earlier copy"));
  EXPECT_EQ(harness.storedVersion(), "8");
}

}  // namespace
}  // namespace qm::dblib::test

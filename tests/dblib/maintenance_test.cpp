// Current databases (version 8, and newer ones used as they are): no question,
// only the clean-ups and repairs of every start.
#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/dblib/expected_schema.h"
#include "tests/dblib/legacy_fixtures.h"
#include "tests/dblib/setup_harness.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::test {
namespace {

using legacy::literal;
using qm::test::executeAll;
using qm::test::queryRows;
using text::sjis;
using Rows = std::vector<std::string>;

constexpr const char* kSmartTitleNotice =
    "スマートタイトルが設定されていないタイトルがあります。\nメニュー「データベース」→「ライブラリ」→"
    "「スマートタイトルの再構築」を行うとより柔軟な検索ができるようになります。";
constexpr const char* kArcTitleNotice =
    "圧縮ファイル名本体のカラムにパスが含まれていました。\n該当レコードを修正します。OKをクリックして暫くお待ち下さい。"
    "\n\n# 念のため現データベースは\n  Quillmoor_[日付_時刻]BUP_DBverX.db\n  にバックアップされます。\n# "
    "不要でしたら後で削除して下さい。";

// A new database with `version` stored and rows that every start must clean.
class MaintenanceTest : public ::testing::TestWithParam<int> {
protected:
  void SetUp() override {
    ASSERT_EQ(harness.run().outcome, SetupOutcome::Created);
    ASSERT_TRUE(executeAll(db(), {"UPDATE qlm_table SET ver=" + std::to_string(GetParam()) + ";"}));
  }
  const std::string& db() const { return harness.paths.dbPath; }

  void addImage(const std::string& fileName, const std::string& smartTitle, const std::string& arcTitle = "",
                int ply = 0, const std::string& parent = "") {
    ASSERT_TRUE(executeAll(db(), {"INSERT INTO main_table(file_name, file_arc_title, file_title, file_ext, "
                                  "machine_name, title, ply, ply_file_name, smart_title) VALUES(" +
                                  literal(fileName) + ", " + literal(arcTitle) + ", 't', '.d88', 'X1', 't', " +
                                  std::to_string(ply) + ", " + literal(parent) + ", " + literal(smartTitle) + ");"}));
  }

  SetupHarness harness;
};

TEST_P(MaintenanceTest, RemovesEmptyAndOrphanedSideRowsWithoutAsking) {
  addImage("C:\\a.d88", "a");
  addImage("C:\\b.d88", "b", "", 2, "C:\\a.d88");
  const std::string a = literal("C:\\a.d88"), gone = literal("C:\\gone.d88");
  ASSERT_TRUE(executeAll(
      db(), {"INSERT INTO memo_table VALUES(" + a + ", 'kept');", "INSERT INTO memo_table VALUES(" + gone + ", 'x');",
             "INSERT INTO creator_table VALUES(" + a + ", '');", "INSERT INTO creator_table VALUES(" + gone + ", 'x');",
             "INSERT INTO associate_file_table VALUES(" + a + ", '');",
             "INSERT INTO associate_file_table VALUES(" + a + ", 'C:\\kept.txt');",
             "INSERT INTO associate_file_table VALUES(" + gone + ", 'x');",
             "INSERT INTO favorite_table VALUES(" + gone + ", '1');",
             "INSERT INTO snap_path_table(pfile_sp, snap1) VALUES(" + gone + ", 'x');",
             "INSERT INTO spec_table(pfile_sc) VALUES(" + a + ");",
             "INSERT INTO spec_table(pfile_sc, breed) VALUES(" + gone + ", 'x');",
             "INSERT INTO use_emuset_table VALUES(" + a + ", 'kept');",
             "INSERT INTO use_emuset_table VALUES(" + gone + ", 'x');",
             "INSERT INTO alter_ego_table(pfile_ae, ae_file) VALUES(" + gone + ", 'kept');",
             // An older program's trigger and a stale set table.
             "DROP TRIGGER delete_subtable_main;", expected::deleteTrigger(5),
             "INSERT INTO tmp_maxdisk VALUES('C:\\stale.d88', 9);"}));

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Ready);
  EXPECT_EQ(result.versionBefore, GetParam());
  EXPECT_EQ(exportResult(result.outcome), 0);
  EXPECT_TRUE(harness.sink.messages().empty()) << harness.sink.messages().front();
  EXPECT_TRUE(harness.backups().empty());
  EXPECT_EQ(harness.storedVersion(), std::to_string(GetParam()));

  EXPECT_EQ(queryRows(db(), "SELECT * FROM memo_table;"), Rows{"C:\\a.d88|kept"});
  EXPECT_EQ(queryRows(db(), "SELECT * FROM associate_file_table;"), Rows{"C:\\a.d88|C:\\kept.txt"});
  EXPECT_EQ(queryRows(db(), "SELECT * FROM use_emuset_table;"), Rows{"C:\\a.d88|kept"});
  EXPECT_EQ(queryRows(db(), "SELECT pfile_ae, ae_file FROM alter_ego_table;"), Rows{"C:\\gone.d88|kept"});
  for (const char* table : {"creator_table", "favorite_table", "snap_path_table", "spec_table"})
    EXPECT_EQ(queryRows(db(), std::string("SELECT count(*) FROM ") + table + ";"), Rows{"0"}) << table;
  EXPECT_EQ(queryRows(db(), "SELECT * FROM tmp_maxdisk;"), Rows{"C:\\a.d88|2"});
  EXPECT_EQ(queryRows(db(), "SELECT sql FROM sqlite_master WHERE name='delete_subtable_main';"),
            Rows{expected::storedForm(expected::deleteTrigger(8))});
}

TEST_P(MaintenanceTest, EmptySmartTitleBringsANoticeEveryStart) {
  addImage("C:\\a.d88", "a");
  addImage("C:\\b.d88", "");

  for (int start = 0; start < 2; ++start) {
    harness.sink.clear();
    EXPECT_EQ(harness.run().outcome, SetupOutcome::Ready);
    ASSERT_EQ(harness.sink.messages().size(), 1u);
    const auto& notice = harness.sink.messages()[0];
    EXPECT_EQ(notice.text, sjis(kSmartTitleNotice));
    EXPECT_EQ(notice.caption, sjis("おしらせ"));
    EXPECT_EQ(notice.icon, platform::MessageIcon::Information);
    EXPECT_EQ(notice.buttons, platform::MessageButtons::Ok);
  }
  EXPECT_TRUE(harness.backups().empty());
}

TEST_P(MaintenanceTest, FoldersInArchiveTitlesAreCutAfterABackup) {
  addImage("C:\\a.zip", "a", "disk/sub/game");
  addImage("C:\\it's.zip", "b", "it's/dir/it's game");
  addImage("C:\\c.zip", "c", "ゲーム表/ソフト");
  addImage("C:\\d.zip", "d", "plain");

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Ready);
  ASSERT_EQ(harness.sink.messages().size(), 1u);
  const auto& notice = harness.sink.messages()[0];
  EXPECT_EQ(notice.text, sjis(kArcTitleNotice));
  EXPECT_EQ(notice.caption, sjis("データベース修正"));
  EXPECT_EQ(notice.icon, platform::MessageIcon::Information);
  EXPECT_EQ(notice.buttons, platform::MessageButtons::Ok);

  auto backups = harness.backups();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_TRUE(isBackupName(backups[0], "_DBver" + std::to_string(GetParam()))) << backups[0];
  // The copy holds the titles as they were before the repair.
  EXPECT_EQ(queryRows(harness.file(backups[0]), "SELECT file_arc_title FROM main_table ORDER BY file_name;"),
            (Rows{"disk/sub/game", "ゲーム表/ソフト", "plain", "it's/dir/it's game"}));
  EXPECT_EQ(queryRows(db(), "SELECT file_name, file_arc_title FROM main_table ORDER BY file_name;"),
            (Rows{"C:\\a.zip|game", "C:\\c.zip|ソフト", "C:\\d.zip|plain", "C:\\it's.zip|it's game"}));
}

// Both are found by one scan of the images; each notice comes as it would alone.
TEST_P(MaintenanceTest, BothNoticesComeInTheirOrder) {
  addImage("C:\\a.zip", "", "disk/game");
  addImage("C:\\b.zip", "b", "plain");

  EXPECT_EQ(harness.run().outcome, SetupOutcome::Ready);
  ASSERT_EQ(harness.sink.messages().size(), 2u);
  EXPECT_EQ(harness.sink.messages()[0].text, sjis(kSmartTitleNotice));
  EXPECT_EQ(harness.sink.messages()[1].text, sjis(kArcTitleNotice));
  EXPECT_EQ(queryRows(db(), "SELECT file_arc_title FROM main_table ORDER BY file_name;"), (Rows{"game", "plain"}));
}

INSTANTIATE_TEST_SUITE_P(Versions, MaintenanceTest, ::testing::Values(8, 9),
                         [](const auto& info) { return std::string("V").append(std::to_string(info.param)); });

}  // namespace
}  // namespace qm::dblib::test

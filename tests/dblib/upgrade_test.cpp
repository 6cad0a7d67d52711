// Databases of older schema versions: the question, the backup, the steps, and
// what the rows look like afterwards.
#include <gtest/gtest.h>

#include <optional>

#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "tests/dblib/legacy_fixtures.h"
#include "tests/dblib/setup_harness.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::test {
namespace {

using platform::MessageAnswer;
using qm::test::queryRows;
using text::sjis;
using Rows = std::vector<std::string>;

constexpr const char* kQuestion =
    "データベース構造のアップデートを行います。\n※旧データベースファイルは\nQuillmoor_[日付_時刻]BUP_DBverX.db "
    "へバックアップされます。\n\nOKをクリックで開始しますが、少し時間がかかる場合があります。\nそのままでお待ちください"
    "。";

struct UpgradeCase {
  const char* name;
  int version;
  std::optional<int> versionRow;
};
std::ostream& operator<<(std::ostream& out, const UpgradeCase& c) { return out << c.name; }

std::string key(const char* utf8) { return utf8; }

// The saved search of the item list before the upgrade, and a section the
// upgrade must not touch.
void writeSettings(const std::string& path) {
  platform::IniFile ini(path);
  ini.writeString("LastQuery", "SQL1", "SELECT * FROM list_view");
  ini.writeString("LastQuery", "SQL3", "x");
  ini.writeString("LastQuery", "PrimaryKey", "C:\\roms\\alpha.nes");
  ini.writeString("LastQuery", "SortColumn", "5");
  ini.writeString("LastQuery", "SortOrder", "0");
  ini.writeString("Window", "Width", "800");
}

class UpgradeTest : public ::testing::TestWithParam<UpgradeCase> {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(legacy::build(harness.paths.dbPath, version(), GetParam().versionRow));
    writeSettings(harness.paths.settingsPath);
    original = qm::test::readFile(harness.paths.dbPath).value_or("");
    ASSERT_FALSE(original.empty());
  }
  int version() const { return GetParam().version; }

  SetupHarness harness;
  std::string original;
};

TEST_P(UpgradeTest, AsksBacksUpAndReachesVersion8) {
  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Upgraded);
  EXPECT_EQ(result.versionBefore, version());
  ASSERT_FALSE(harness.sink.messages().empty());
  const auto& question = harness.sink.messages()[0];
  EXPECT_EQ(question.text, sjis(kQuestion));
  EXPECT_EQ(question.caption, sjis("DB構造のアップデート"));
  EXPECT_EQ(question.icon, platform::MessageIcon::Information);
  EXPECT_EQ(question.buttons, platform::MessageButtons::OkCancel);
  // Files from before version 6 get smart_title only now, empty.
  Rows captions = {"DB構造のアップデート"};
  if (version() < 6) captions.push_back("おしらせ");
  EXPECT_EQ(harness.sink.captions(), captions);

  auto backups = harness.backups();
  ASSERT_EQ(backups.size(), 1u);
  const std::string part = GetParam().versionRow ? "_DBver" + std::to_string(*GetParam().versionRow) : "";
  EXPECT_TRUE(isBackupName(backups[0], part)) << backups[0];
  EXPECT_EQ(result.backupPath, harness.file(backups[0]));
  EXPECT_TRUE(qm::test::sameBytes(qm::test::readFile(harness.file(backups[0])), original));

  EXPECT_EQ(queryRows(harness.paths.dbPath, "SELECT ver FROM qlm_table;"), Rows{"8"});

  platform::IniFile ini(harness.paths.settingsPath);
  for (const char* name : {"SQL1", "SQL2", "SQL3", "PrimaryKey"})
    EXPECT_EQ(ini.find("LastQuery", name), std::optional<std::string>("")) << name;
  EXPECT_EQ(ini.getString("LastQuery", "SortColumn"), "0");
  EXPECT_EQ(ini.getString("LastQuery", "SortOrder"), "1");
  EXPECT_EQ(ini.getString("Window", "Width"), "800");

  // A second start finds nothing to do.
  harness.sink.clear();
  EXPECT_EQ(harness.run().outcome, SetupOutcome::Ready);
  for (const auto& message : harness.sink.messages())
    EXPECT_NE(message.buttons, platform::MessageButtons::OkCancel) << message;
  EXPECT_EQ(harness.backups().size(), 1u);
}

TEST_P(UpgradeTest, EndsInTheLayoutOfANewDatabase) {
  SetupHarness fresh;
  ASSERT_EQ(fresh.run().outcome, SetupOutcome::Created);

  ASSERT_EQ(harness.run().outcome, SetupOutcome::Upgraded);

  EXPECT_EQ(qm::test::dumpSchema(harness.paths.dbPath), qm::test::dumpSchema(fresh.paths.dbPath));
}

TEST_P(UpgradeTest, KeepsRowsRenumbersSetsAndDropsOrphansAndEmptyRows) {
  ASSERT_EQ(harness.run().outcome, SetupOutcome::Upgraded);
  const std::string& db = harness.paths.dbPath;
  const int v = version();
  // Release dates became full dates in the version-2 step; sets were numbered
  // 2, 3, 4, ... in the version-7 step.
  const std::string bareYear = v < 2 ? "-00-00" : "";
  const bool renumbered = v < 7;
  const std::string quest2 = renumbered ? "2" : "3", quest3 = renumbered ? "3" : "5";
  const std::string saga3 = renumbered ? "3" : "4", saga4 = renumbered ? "4" : "7";
  Rows main = {
      key(legacy::kQuest) + "|Quest|1988-01-02|1|",
      "C:\\disks\\quest2.d88|Quest|1988-01-02|" + quest2 + "|" + legacy::kQuest,
      "C:\\disks\\quest3.d88|Quest|1988-01-02|" + quest3 + "|" + legacy::kQuest,
      key(legacy::kSaga) + "|Saga|1987" + bareYear + "|1|",
      "C:\\disks\\saga2.d88|Saga|1987" + bareYear + "|2|" + legacy::kSaga,
      "C:\\disks\\saga3.d88|Saga|1987" + bareYear + "|" + saga3 + "|" + legacy::kSaga,
      "C:\\disks\\saga4.d88|Saga|1987" + bareYear + "|" + saga4 + "|" + legacy::kSaga,
      key(legacy::kAlpha) + "|Alpha|1986" + bareYear + "|0|",
      key(legacy::kHero) + "|Hero's Quest|0|0|",
      key(legacy::kJapanese) + "|ゲーム表示|1990-05-00|0|",
  };
  EXPECT_EQ(queryRows(db,
                      "SELECT file_name, title, sale_year, ply, ply_file_name FROM main_table ORDER BY "
                      "file_name;"),
            main);
  EXPECT_EQ(queryRows(db, "SELECT * FROM tmp_maxdisk ORDER BY 1;"),
            (Rows{key(legacy::kQuest) + (renumbered ? "|3" : "|5"), key(legacy::kSaga) + (renumbered ? "|4" : "|7")}));

  EXPECT_EQ(queryRows(db, "SELECT * FROM memo_table ORDER BY 1;"),
            (Rows{key(legacy::kAlpha) + "|memo of alpha", key(legacy::kHero) + "|it's fine"}));
  EXPECT_EQ(queryRows(db, "SELECT * FROM creator_table ORDER BY 1;"), Rows{key(legacy::kAlpha) + "|Team A\r\nTeam B"});
  EXPECT_EQ(queryRows(db, "SELECT * FROM associate_file_table ORDER BY 2;"),
            (Rows{key(legacy::kAlpha) + "|C:\\docs\\manual.txt", key(legacy::kAlpha) + "|http://example.com/alpha"}));
  // The old favourite table is replaced in the version-5 step.
  EXPECT_EQ(queryRows(db, "SELECT * FROM favorite_table;"), v < 5 ? Rows{} : Rows{key(legacy::kAlpha) + "|135"});
  Rows snaps;
  if (v >= 3)
    snaps = {key(legacy::kAlpha) + "|C:\\snap\\a1.png|||",
             key(legacy::kHero) + "||C:\\snap\\h2.png||" + (v >= 5 ? "F150153" : "")};
  EXPECT_EQ(queryRows(db, "SELECT * FROM snap_path_table ORDER BY 1;"), snaps);
  // The empty spec_table row goes; alter_ego_table is never cleaned of orphans.
  EXPECT_EQ(queryRows(db, "SELECT * FROM spec_table;"),
            v < 5 ? Rows{} : Rows{key(legacy::kAlpha) + "|HVC-AL|4900|||2|全年齢||"});
  Rows alterEgos;
  if (v >= 5)
    alterEgos = {key(legacy::kSaga) + "|C:\\disks\\saga_ae.d88|1||",
                 key(legacy::kGone) + "|C:\\disks\\gone_ae.d88|1||"};
  EXPECT_EQ(queryRows(db, "SELECT * FROM alter_ego_table ORDER BY 1;"), alterEgos);
  EXPECT_EQ(queryRows(db, "SELECT * FROM use_emuset_table;"), Rows{});

  EXPECT_EQ(queryRows(db, "SELECT machine, machine_num, snap_path2, snap_dtm FROM machine_info_table;"),
            Rows{"ファミコン|1||"});
  if (v < 5) {
    EXPECT_EQ(queryRows(db, "SELECT count(*), min(adultex_num), max(adultex_num) FROM adultex_info_table;"),
              Rows{"8|1|8"});
  } else {
    EXPECT_EQ(queryRows(db, "SELECT adultex FROM adultex_info_table ORDER BY adultex_num;"),
              (Rows{"全年齢", "18才以上"}));
  }
}

TEST_P(UpgradeTest, DeclinedLeavesEverythingAsItWas) {
  harness.sink.setAnswer(MessageAnswer::Cancel);
  const auto settings = qm::test::readFile(harness.paths.settingsPath);

  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Declined);
  EXPECT_EQ(exportResult(result.outcome), -1);
  EXPECT_EQ(harness.sink.captions(), Rows{"DB構造のアップデート"});
  EXPECT_TRUE(qm::test::sameBytes(qm::test::readFile(harness.paths.dbPath), original));
  EXPECT_EQ(qm::test::readFile(harness.paths.settingsPath), settings);
  EXPECT_TRUE(harness.backups().empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, UpgradeTest,
                         ::testing::Values(UpgradeCase{"V0WithoutRow", 0, std::nullopt}, UpgradeCase{"V0", 0, 0},
                                           UpgradeCase{"V3", 3, 3}, UpgradeCase{"V4", 4, 4}, UpgradeCase{"V6", 6, 6},
                                           UpgradeCase{"V7", 7, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::dblib::test

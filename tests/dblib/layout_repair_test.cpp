// A file that an older program upgraded from version 4 or below says
// version 8 but keeps the old spec_table columns and lacks developer and
// smart_title; it is brought to the current layout at the next start.
#include <gtest/gtest.h>

#include "tests/dblib/expected_schema.h"
#include "tests/dblib/legacy_fixtures.h"
#include "tests/dblib/setup_harness.h"
#include "tests/support/schema_dump.h"

namespace qm::dblib::test {
namespace {

using legacy::literal;
using qm::test::executeAll;
using qm::test::queryRows;
using Rows = std::vector<std::string>;

// The upgrade statements as the older program ran them on a version-4 file.
std::vector<std::string> olderUpgradeStatements() {
  return {
      "ALTER TABLE main_table ADD COLUMN play_time TEXT DEFAULT ''; ALTER TABLE main_table ADD COLUMN kana TEXT "
      "DEFAULT ''; ALTER TABLE main_table ADD COLUMN tag TEXT DEFAULT '';",
      "ALTER TABLE machine_info_table ADD COLUMN snap_path2 TEXT DEFAULT ''; ALTER TABLE machine_info_table ADD COLUMN "
      "snap_path3 TEXT DEFAULT ''; ALTER TABLE machine_info_table ADD COLUMN snap_dtm TEXT DEFAULT '';",
      "ALTER TABLE snap_path_table ADD COLUMN snap_dtt TEXT DEFAULT '';",
      "DROP TABLE favorite_table;",
      expected::statementFor("favorite_table"),
      expected::statementFor("adultex_info_table"),
      "CREATE TABLE spec_table( pfile_sc TEXT UNIQUE NOT NULL, breed TEXT DEFAULT '', price_notax INTEGER DEFAULT '', "
      "price_taxin INTEGER DEFAULT '', media_detail TEXT DEFAULT '', device TEXT DEFAULT '', min_player INTEGER "
      "DEFAULT '', max_player INTEGER DEFAULT '', adultex_name TEXT DEFAULT '', savedat_detail TEXT DEFAULT '', "
      "sound_detail TEXT DEFAULT '', PRIMARY KEY(pfile_sc) ) ;",
      "CREATE TABLE alter_ego_table( pfile_ae TEXT UNIQUE NOT NULL, ae_file TEXT DEFAULT '', alter_ego INTEGER DEFAULT "
      "'', PRIMARY KEY(pfile_ae) ) ;",
      "DROP VIEW list_view ;",
      "DROP TRIGGER delete_subtable_main ;",
      expected::deleteTrigger(8),
      expected::statementFor("update_spec_adultex"),
      expected::statementFor("tmp_maxdisk"),
      expected::statementFor("use_emuset_table"),
      "ALTER TABLE alter_ego_table ADD COLUMN ren_file_name TEXT DEFAULT ''; ALTER TABLE alter_ego_table ADD COLUMN "
      "ply_pfile_ae TEXT DEFAULT '';",
      // The view of the older program's last search names the old columns.
      "CREATE VIEW list_view AS SELECT file_name, price_notax, min_player FROM main_table LEFT JOIN spec_table ON "
      "file_name = pfile_sc WHERE ply<2 ;",
  };
}

struct SpecCase {
  const char* key;
  const char *priceNoTax, *priceTaxIn, *minPlayer, *maxPlayer;
  const char *price, *players;  // after the repair
};

const SpecCase kSpecCases[] = {
    {legacy::kAlpha, "1000", "1080", "1", "4", "1080（税抜1000）", "1-4"},
    {legacy::kHero, "3800", "3800", "2", "2", "3800", "2"},
    {legacy::kJapanese, "", "オープン価格", "", "4", "オープン価格", "4"},
    {legacy::kSaga, "4500", "", "1", "", "4500", "1"},
    {legacy::kQuest, "", "", "", "", "", ""},
};

class LayoutRepairTest : public ::testing::Test {
protected:
  void SetUp() override {
    auto statements = legacy::schemaStatements(4);
    for (auto& sql : olderUpgradeStatements()) statements.push_back(sql);
    for (auto& sql : legacy::rowStatements(4)) statements.push_back(sql);
    statements.push_back("INSERT INTO adultex_info_table VALUES(" + literal("全年齢") + ", '', 1);");
    for (const auto& c : kSpecCases)
      statements.push_back(
          "INSERT INTO spec_table(pfile_sc, breed, price_notax, price_taxin, media_detail, device, min_player, "
          "max_player, adultex_name, savedat_detail, sound_detail) VALUES(" +
          literal(c.key) + ", 'HVC', " + literal(c.priceNoTax) + ", " + literal(c.priceTaxIn) + ", 'ROM', 'pad', " +
          literal(c.minPlayer) + ", " + literal(c.maxPlayer) + ", " + literal("全年齢") + ", 'battery', 'FM');");
    statements.push_back("INSERT INTO qlm_table(ver) VALUES(8);");
    ASSERT_TRUE(executeAll(db(), statements));
  }
  const std::string& db() const { return harness.paths.dbPath; }

  SetupHarness harness;
};

TEST_F(LayoutRepairTest, BringsTheCurrentLayoutAfterABackupWithoutAsking) {
  SetupResult result = harness.run();

  EXPECT_EQ(result.outcome, SetupOutcome::Ready);
  EXPECT_EQ(result.versionBefore, 8);
  // Only the notice: the images have no smart titles yet.
  EXPECT_EQ(harness.sink.captions(), Rows{"おしらせ"});
  auto backups = harness.backups();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_TRUE(isBackupName(backups[0], "_DBver8")) << backups[0];
  EXPECT_EQ(queryRows(harness.file(backups[0]),
                      "SELECT count(*) FROM pragma_table_info('spec_table') WHERE name IN "
                      "('price_notax', 'max_player');"),
            Rows{"2"});

  SetupHarness fresh;
  ASSERT_EQ(fresh.run().outcome, SetupOutcome::Created);
  EXPECT_EQ(qm::test::dumpSchema(db()), qm::test::dumpSchema(fresh.paths.dbPath));

  EXPECT_EQ(queryRows(db(), "SELECT count(*), min(developer), max(smart_title) FROM main_table;"), Rows{"10||"});
}

TEST_F(LayoutRepairTest, CarriesPricesAndPlayersIntoTheSingleColumns) {
  ASSERT_EQ(harness.run().outcome, SetupOutcome::Ready);

  for (const auto& c : kSpecCases) {
    EXPECT_EQ(queryRows(db(), "SELECT * FROM spec_table WHERE pfile_sc=" + literal(c.key) + ";"),
              Rows{std::string(c.key) + "|HVC|" + c.price + "|ROM|pad|" + c.players + "|全年齢|battery|FM"})
        << c.key;
  }
}

TEST_F(LayoutRepairTest, TriggersWorkOnTheRebuiltTable) {
  ASSERT_EQ(harness.run().outcome, SetupOutcome::Ready);

  ASSERT_TRUE(executeAll(db(), {"UPDATE adultex_info_table SET adultex='A' WHERE adultex=" + literal("全年齢") + ";",
                                "DELETE FROM main_table WHERE file_name=" + literal(legacy::kAlpha) + ";"}));
  EXPECT_EQ(queryRows(db(), "SELECT DISTINCT adultex_name FROM spec_table;"), Rows{"A"});
  EXPECT_EQ(queryRows(db(), "SELECT count(*) FROM spec_table WHERE pfile_sc=" + literal(legacy::kAlpha) + ";"),
            Rows{"0"});

  // Done once: the next start finds the current layout.
  harness.sink.clear();
  ASSERT_EQ(harness.run().outcome, SetupOutcome::Ready);
  EXPECT_EQ(harness.backups().size(), 1u);
}

}  // namespace
}  // namespace qm::dblib::test

// export-csv, import-csv and recompute-crc as a script uses them.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/library_cli.h"

namespace {

class ExchangeCliTest : public qm::test::LibraryCliTest {};

TEST_F(ExchangeCliTest, ExportAndImportAgain) {
  ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES"
                "('k1','a','d88','MSX','A, \\\"one\\\"'),('k2','b','d88','PC98','B');"), 0);
  const auto exported = cli("export-csv --machine MSX '" + folder + "/out.csv'");
  EXPECT_EQ(exported.exitCode, 0) << exported.output;
  EXPECT_EQ(exported.output, "準備中・・・\n処理を開始します。\nMSX > A, \"one\"\n処理を終了しました。\n"
                             "records: 1, added: 0, skipped: 0, lost characters: 0\n");
  std::ofstream(folder + "/out.csv", std::ios::app | std::ios::binary) << "k3,MSX,,C\r\n";
  // Without --yes the new key is asked about and skipped.
  const auto skipped = cli("import-csv '" + folder + "/out.csv'");
  EXPECT_EQ(skipped.exitCode, 0) << skipped.output;
  EXPECT_NE(skipped.output.find("  ... スキップします。\n"), std::string::npos);
  EXPECT_EQ(query("SELECT COUNT(*) FROM main_table;"), "2\n");
  const auto added = cli("import-csv --yes '" + folder + "/out.csv'");
  EXPECT_NE(added.output.find("records: 2, added: 1, skipped: 0"), std::string::npos) << added.output;
  EXPECT_EQ(query("SELECT title FROM main_table WHERE file_name='k3';"), "C\n");
  EXPECT_EQ(cli("import-csv '" + folder + "/none.csv'").exitCode, 1);
  EXPECT_EQ(cli("export-csv").exitCode, 2);
}

TEST_F(ExchangeCliTest, RecomputeThroughTheLibraryBesideTheTool) {
  std::ofstream(folder + "/a.bin", std::ios::binary) << "123456789";
  ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,crc32,crc) VALUES"
                "('" + folder + "/a.bin','a','bin','MSX','A','',''),"
                "('" + folder + "/gone.bin','g','bin','MSX','G','11111111','2222');"), 0);
  const auto run = cli("recompute-crc --machine MSX --crc32 --crc16");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("rows: 2, updated: 1, skipped: 1, failed: 0"), std::string::npos) << run.output;
  EXPECT_EQ(query("SELECT crc32||'/'||crc FROM main_table ORDER BY file_name;"), "CBF43926/6F91\n11111111/2222\n");
  EXPECT_EQ(cli("recompute-crc --machine MSX --offset x").exitCode, 2);
}

}  // namespace

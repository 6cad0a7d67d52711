// The library upkeep subcommands end to end, as a script uses them.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;
CliRun runCli(const std::string& arguments, const std::string& input = "") {
  return qm::test::runQuillmoorCli(arguments, "printf '%s' '" + input + "' | ");
}

class MaintenanceCliTest : public ::testing::Test {
protected:
  MaintenanceCliTest() : folder(qm::text::sjisToUtf8(temp.path())), db(folder + "/Quillmoor.db") {
    EXPECT_EQ(runCli("create --db '" + db + "'").exitCode, 0);
  }
  int sql(const std::string& statement) { return std::system(("sqlite3 '" + db + "' \"" + statement + "\"").c_str()); }

  qm::test::TempFolder temp;
  std::string folder;
  std::string db;
};

TEST_F(MaintenanceCliTest, ReadingsAndSmartTitlesWithTheSettingsBesideTheLibrary) {
  ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES"
                "('a','a','.d88','PC98','ナムコ ソニー'),('b','b','.d88','MSX','ｶﾞﾚｰｼﾞ');"), 0);
  std::ofstream(folder + "/Quillmoor2.ini") << "[EditUICheckBoxs]\r\nYomiCnvMode=1\r\n";
  const CliRun readings = runCli("readings --db '" + db + "' --machine PC98");
  EXPECT_EQ(readings.exitCode, 0) << readings.output;
  EXPECT_EQ(readings.output, "処理を開始します\nナムコ ソニー -> ナムコソニー\n処理を終了しました\n"
                             "rows: 1, done: 1, failed: 0\n");
  EXPECT_EQ(runCli("smart-titles --db '" + db + "'").exitCode, 0);
  const CliRun folded = runCli("normalize --db '" + db + "'", "ｶﾞﾚｰｼﾞ\nすーぱーろぼっとぱずる4\n");
  EXPECT_EQ(folded.output, "ガレージ\nスーパーロボットパズル4\n");
  const CliRun reading = runCli("normalize --reading --db '" + db + "'", "すーぱー ろぼ\n");
  EXPECT_EQ(reading.output, "スーパーロボ\n");
}

TEST_F(MaintenanceCliTest, RemovingEveryImageNeedsYes) {
  ASSERT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES"
                "('" + folder + "/here.d88','a','.d88','PC98','a');"), 0);
  std::ofstream(folder + "/here.d88") << "";
  EXPECT_EQ(runCli("remove-missing --db '" + db + "'").exitCode, 0);
  const CliRun refused = runCli("remove-missing --all --db '" + db + "'");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.output.find("--yes"), std::string::npos) << refused.output;
  const CliRun removed = runCli("remove-missing --all --yes --db '" + db + "'");
  EXPECT_EQ(removed.exitCode, 0) << removed.output;
  EXPECT_NE(removed.output.find("全ての機種 の 全アイテム をライブラリから削除しました"), std::string::npos);
}

TEST_F(MaintenanceCliTest, NoSubcommandCreatesAMissingLibrary) {
  const std::string missing = folder + "/missing.db";
  for (const char* command : {"readings", "smart-titles", "remove-missing", "vacuum"}) {
    const CliRun run = runCli(std::string(command) + " --db '" + missing + "'");
    EXPECT_EQ(run.exitCode, 1) << command;
    EXPECT_FALSE(std::filesystem::exists(missing)) << command;
  }
  EXPECT_EQ(runCli("vacuum --db '" + db + "'").exitCode, 0);
}

}  // namespace

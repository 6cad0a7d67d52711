// rename-data and alter-ego as a script uses them.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/library_cli.h"

namespace {

using qm::test::CliRun;

class RenameDataCliTest : public qm::test::LibraryCliTest {
protected:
  RenameDataCliTest() {
    sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,crc32) VALUES"
        "('" + folder + "/a.rom','a','rom','MSX','old','0000000A'),('" + folder + "/b.rom','b','rom','MSX','b','');");
    std::ofstream(folder + "/list.txt") << "[a]\nCRC32=0000000a\nTitle=New\nMaker=M\n";
    std::ofstream(folder + "/a.rom") << "a";
  }
  CliRun rename(const std::string& extra) {
    return cli("rename-data --machine MSX --plugin plugin/keylist.nya --list '" + folder + "/list.txt' " + extra);
  }
};

TEST_F(RenameDataCliTest, TestsThenWritesTheTickedItems) {
  const CliRun asked = rename("--test");
  EXPECT_EQ(asked.exitCode, 1);  // the image without a CRC is a question, No without --yes
  const CliRun test = rename("--test --yes");
  EXPECT_EQ(test.exitCode, 0) << test.output;
  EXPECT_NE(test.output.find("タイトル：New"), std::string::npos) << test.output;
  EXPECT_NE(test.output.find("テストが終了しました"), std::string::npos);
  EXPECT_EQ(query("SELECT title, maker FROM main_table ORDER BY file_name;"), "old|\nb|\n");

  const CliRun run = rename("--yes --items Title");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("処理を終了しました ( 1 件中 1 件のキーが該当し更新されました )"), std::string::npos);
  EXPECT_EQ(query("SELECT title, maker FROM main_table ORDER BY file_name;"), "New|\nb|\n");
  EXPECT_EQ(rename("--items Nothing").exitCode, 2);
  EXPECT_EQ(cli("rename-data --machine MSX --plugin nowhere.nya --list x").exitCode, 1);
}

TEST_F(RenameDataCliTest, CreatesAndRemovesAnAlterEgo) {
  const std::string key = folder + "/a.rom";
  const CliRun made = cli("alter-ego create --base '" + folder + "' '" + key + "'");
  EXPECT_EQ(made.exitCode, 0) << made.output;
  EXPECT_NE(made.output.find(folder + "/MSX_a"), std::string::npos) << made.output;
  EXPECT_EQ(query("SELECT ae_file, alter_ego FROM alter_ego_table;"), folder + "/MSX_a/a.rom|1\n");
  EXPECT_EQ(cli("alter-ego create --base '" + folder + "' '" + key + "'").exitCode, 1);
  EXPECT_EQ(cli("alter-ego remove '" + key + "'").exitCode, 0);
  EXPECT_EQ(query("SELECT COUNT(*) FROM alter_ego_table;"), "0\n");
  EXPECT_EQ(cli("alter-ego move '" + key + "'").exitCode, 2);
}

}  // namespace

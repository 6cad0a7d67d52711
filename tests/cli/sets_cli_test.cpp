// join, dissolve and remove as a script uses them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;

class SetsCliTest : public ::testing::Test {
protected:
  SetsCliTest() : db(qm::text::sjisToUtf8(temp.path()) + "/Quillmoor.db") {
    EXPECT_EQ(cli("create").exitCode, 0);
    sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES"
        "('t','t','.d88','PC98','t'),('a','a','.d88','PC98','a'),('b','b','.d88','MSX','b');");
  }
  CliRun cli(const std::string& arguments) { return qm::test::runQuillmoorCli(arguments + " --db '" + db + "'"); }
  std::string sql(const std::string& statement) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(("sqlite3 '" + db + "' \"" + statement + "\"").c_str(), "r"),
                                               pclose);
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
    return out;
  }
  std::string sets() { return sql("SELECT file_name, ply, ply_file_name FROM main_table ORDER BY 1;"); }
  std::string maxDisk() { return sql("SELECT * FROM tmp_maxdisk;"); }

  qm::test::TempFolder temp;
  std::string db;
};

TEST_F(SetsCliTest, JoinDissolveAndRemove) {
  // Another machine is a question, answered No without --yes.
  const CliRun asked = cli("join --target t a b");
  EXPECT_EQ(asked.exitCode, 1);
  EXPECT_NE(asked.output.find("異なる機種のイメージを複数イメージにしようとしています。"), std::string::npos);
  EXPECT_EQ(sets(), "a|0|\nb|0|\nt|0|\n");

  EXPECT_EQ(cli("join --target t a b --yes").exitCode, 0);
  EXPECT_EQ(sets(), "a|2|t\nb|3|t\nt|1|\n");
  EXPECT_EQ(maxDisk(), "t|3\n");
  // Set members cannot join again.
  EXPECT_EQ(cli("join --target a b").exitCode, 1);

  const CliRun parent = cli("remove t");
  EXPECT_EQ(parent.exitCode, 1);
  EXPECT_NE(parent.output.find("--with-sets"), std::string::npos) << parent.output;
  EXPECT_EQ(cli("dissolve a").exitCode, 1);
  EXPECT_EQ(cli("dissolve t").exitCode, 0);
  EXPECT_EQ(sets(), "a|0|\nb|0|\nt|0|\n");
  EXPECT_EQ(maxDisk(), "");

  EXPECT_EQ(cli("join --target t a").exitCode, 0);
  EXPECT_EQ(cli("remove --with-sets t").exitCode, 0);
  EXPECT_EQ(sets(), "b|0|\n");
  const CliRun missing = cli("remove nothing");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.output, "error: no such image: nothing\n");
  EXPECT_EQ(cli("remove b").exitCode, 0);
  EXPECT_EQ(sets(), "");
}

// A set made or changed behind the library's back has no disk count until a
// command that may add or regroup rows rebuilds tmp_maxdisk.
TEST_F(SetsCliTest, CommandsThatMayChangeSetsRebuildTheDiskCounts) {
  const std::string folder = qm::text::sjisToUtf8(temp.path());
  std::filesystem::create_directories(folder + "/empty");
  std::ofstream(folder + "/header.csv") << "header\r\n";
  const std::string commands[] = {
      "register --machine PC98 '" + folder + "/empty'",
      "import-csv '" + folder + "/header.csv'",
  };
  for (const std::string& command : commands) {
    sql("UPDATE main_table SET ply=CASE file_name WHEN 't' THEN 1 WHEN 'a' THEN 2 END, ply_file_name="
        "CASE file_name WHEN 'a' THEN 't' ELSE '' END WHERE file_name IN ('t','a'); DELETE FROM tmp_maxdisk;");
    const CliRun run = cli(command);
    EXPECT_EQ(run.exitCode, 0) << command << run.output;
    EXPECT_EQ(maxDisk(), "t|2\n") << command;
  }
}

}  // namespace

// The command-line tool as a script uses it: exit codes, one-line messages,
// and the files it leaves. Paths and output are UTF-8, as in a Linux terminal.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

using qm::test::CliRun;
CliRun runCli(const std::string& arguments) { return qm::test::runQuillmoorCli(arguments); }

std::string shellQuoted(const std::string& path) { return "'" + path + "'"; }

class CliTest : public ::testing::Test {
protected:
  // The folder as the terminal names it (UTF-8).
  std::string folder() const { return qm::text::sjisToUtf8(temp.path()); }
  qm::test::TempFolder temp;
};

TEST_F(CliTest, CreateThenInfo) {
  std::string db = folder() + "/Quillmoor.db";
  CliRun created = runCli("create --db " + shellQuoted(db));
  EXPECT_EQ(created.exitCode, 0) << created.output;
  EXPECT_EQ(created.output, "created " + db + " (schema version 8)\n");

  CliRun again = runCli("create --db " + shellQuoted(db));
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.output, db + " is ready (schema version 8)\n");

  CliRun info = runCli("info --db " + shellQuoted(db));
  EXPECT_EQ(info.exitCode, 0);
  EXPECT_EQ(info.output,
            "schema version: 8\ntitles: 0\nimages: 0\nmachines: 20\nmedia: 13\ngenres: 15\nmarks: 8\n");
}

TEST_F(CliTest, JapaneseFolderNamesPassThroughTheTerminalEdge) {
  std::string sub = folder() + "/ソフト表";
  fs::create_directory(sub);
  CliRun created = runCli("create --db " + shellQuoted(sub + "/Quillmoor.db"));
  EXPECT_EQ(created.exitCode, 0) << created.output;
  EXPECT_TRUE(fs::exists(sub + "/Quillmoor.db"));
  EXPECT_NE(created.output.find("ソフト表"), std::string::npos) << created.output;
}

TEST_F(CliTest, InfoNeverCreatesADatabase) {
  std::string db = folder() + "/missing.db";
  CliRun info = runCli("info --db " + shellQuoted(db));
  EXPECT_EQ(info.exitCode, 1);
  EXPECT_EQ(info.output, "error: no database at " + db + "\n");
  EXPECT_FALSE(fs::exists(db));
}

TEST_F(CliTest, FileThatIsNotADatabaseIsLeftAlone) {
  std::string db = folder() + "/Quillmoor.db";
  std::ofstream(db) << "my notes\n";
  CliRun created = runCli("create --db " + shellQuoted(db));
  EXPECT_EQ(created.exitCode, 1);
  EXPECT_NE(created.output.find("バージョンテーブルを参照できませんでした"), std::string::npos) << created.output;
  EXPECT_NE(created.output.find("could not be read; nothing was changed"), std::string::npos);
  std::ifstream in(db);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content, "my notes\n");
}

TEST_F(CliTest, UpgradeNeedsYes) {
  std::string db = folder() + "/Quillmoor.db";
  ASSERT_EQ(runCli("create --db " + shellQuoted(db)).exitCode, 0);
  // Take back what version 8 added, so the file is a true version 7.
  ASSERT_EQ(std::system(("sqlite3 " + shellQuoted(db) +
                         " 'DROP TRIGGER delete_subtable_main; DROP TABLE use_emuset_table; "
                         "ALTER TABLE alter_ego_table DROP COLUMN ply_pfile_ae; "
                         "ALTER TABLE alter_ego_table DROP COLUMN ren_file_name; UPDATE qlm_table SET ver=7;'")
                            .c_str()),
            0);
  CliRun refused = runCli("create --db " + shellQuoted(db));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.output.find("run again with --yes"), std::string::npos) << refused.output;

  CliRun upgraded = runCli("create --yes --db " + shellQuoted(db));
  EXPECT_EQ(upgraded.exitCode, 0) << upgraded.output;
  EXPECT_NE(upgraded.output.find("upgraded " + db + " from schema version 7 to 8"), std::string::npos);
  EXPECT_NE(upgraded.output.find("BUP_DBver7.db"), std::string::npos);
}

TEST_F(CliTest, UnknownCommandShowsUsage) {
  CliRun run = runCli("frobnicate");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("usage: quillmoor-cli COMMAND"), std::string::npos);
}

}  // namespace

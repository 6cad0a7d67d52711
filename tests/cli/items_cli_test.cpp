// The menu commands on images by key, and the backup, as a script runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/library_cli.h"

namespace {

using qm::test::CliRun;

class ItemsCliTest : public qm::test::LibraryCliTest {
protected:
  ItemsCliTest() {
    EXPECT_EQ(sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,boot_count,last_boot,"
                  "play_time) VALUES ('C:\\a.nes','a','.nes','x','a',3,'2024-01-01 10:00:00','00:10:00'),"
                  "('C:\\b.nes','b','.nes','x','b',5,'2024-01-02 10:00:00','01:00:00');"
                  "INSERT INTO favorite_table VALUES ('C:\\b.nes','3');"),
              0);
  }
};

TEST_F(ItemsCliTest, FavouriteSlotsByKey) {
  struct Step {
    const char* arguments;
    int exitCode;
    const char* output;
    const char* stored;  // favorite_table afterwards
  };
  const Step steps[] = {
      {"favourite --slot 3 'C:\\a.nes' 'C:\\b.nes'", 0, "C:\\a.nes\t3\nC:\\b.nes\t33\n", "C:\\a.nes|3\nC:\\b.nes|33\n"},
      {"favourite --slot 3 --toggle 'C:\\b.nes'", 0, "C:\\b.nes\t\n", "C:\\a.nes|3\n"},
      {"favourite --slot 7 --set 'C:\\a.nes'", 0, "C:\\a.nes\t37\n", "C:\\a.nes|37\n"},
      {"favourite --slot 3 --clear 'C:\\a.nes' 'C:\\b.nes'", 0, "C:\\a.nes\t7\nC:\\b.nes\t\n", "C:\\a.nes|7\n"},
      {"favourite --slot 10 'C:\\a.nes'", 2, "error: --slot takes one digit, 0 to 9\n", "C:\\a.nes|7\n"},
      {"favourite --slot 1 --set --clear 'C:\\a.nes'", 2, "error: give one of --set, --clear and --toggle\n",
       "C:\\a.nes|7\n"},
      {"favourite --slot 1 'C:\\a.nes' 'C:\\z.nes'", 1, "error: not in the library: C:\\z.nes\n", "C:\\a.nes|7\n"},
      {"favourite --slot 1", 1, "error: no image keys given\n", "C:\\a.nes|7\n"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.arguments);
    const CliRun run = cli(step.arguments);
    EXPECT_EQ(run.exitCode, step.exitCode);
    EXPECT_EQ(run.output, step.output);
    EXPECT_EQ(query("SELECT pfile_fv, fave FROM favorite_table ORDER BY pfile_fv;"), step.stored);
  }
}

TEST_F(ItemsCliTest, ResetBootAndEmulatorChoiceOfTheNamedImagesOnly) {
  EXPECT_EQ(cli("reset-boot 'C:\\a.nes' 'C:\\gone.nes'").exitCode, 1);
  const CliRun reset = cli("reset-boot 'C:\\a.nes'");
  EXPECT_EQ(reset.exitCode, 0);
  EXPECT_EQ(reset.output, "reset 1 images\n");
  EXPECT_EQ(query("SELECT file_name, boot_count, last_boot, play_time FROM main_table ORDER BY file_name;"),
            "C:\\a.nes|0||\nC:\\b.nes|5|2024-01-02 10:00:00|01:00:00\n");

  ASSERT_EQ(sql("INSERT INTO use_emuset_table VALUES ('C:\\a.nes','m'),('C:\\b.nes','n');"), 0);
  const CliRun released = cli("release-emulator 'C:\\b.nes'");
  EXPECT_EQ(released.exitCode, 0);
  EXPECT_EQ(released.output, "released 1 images\n");
  EXPECT_EQ(query("SELECT pfile_ue FROM use_emuset_table;"), "C:\\a.nes\n");
}

TEST_F(ItemsCliTest, BackupPrintsTheCopyOrFails) {
  const CliRun made = cli("backup");
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const std::string copy = made.output.substr(0, made.output.size() - 1);
  EXPECT_EQ(copy.rfind(folder + "/Quillmoor_", 0), 0u) << copy;
  EXPECT_EQ(copy.substr(copy.size() - 13), "BUP_DBver8.db");
  EXPECT_EQ(std::filesystem::file_size(copy), std::filesystem::file_size(db));

  const CliRun missing = qm::test::runQuillmoorCli("backup --db '" + folder + "/none.db'");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.output, "[データベースのバックアップ] データベースファイルが見つかりません。\n" + folder + "/none.db\n");
}

}  // namespace

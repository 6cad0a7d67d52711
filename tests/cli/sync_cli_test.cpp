// quillmoor-cli sync as a script uses it: a registered tree is reorganised and
// the library follows, with the lines, summary and exit codes a script reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/library_cli.h"

namespace {

namespace fs = std::filesystem;
using qm::test::CliRun;

class SyncCliTest : public qm::test::LibraryCliTest {
protected:
  SyncCliTest() {
    EXPECT_EQ(sql("INSERT INTO machine_info_table(machine,machine_num,search_ext) VALUES('MSX',1,'.d88');"), 0);
    fs::create_directories(roms + "/a");
    std::ofstream(roms + "/a/one.d88", std::ios::binary) << "123456789";
    std::ofstream(roms + "/a/two.d88", std::ios::binary) << "abc";
    std::ofstream(roms + "/gone.d88", std::ios::binary) << "gone";
  }
  CliRun sync(const std::string& options = "") {
    return cli("sync --machine MSX --subdirs --crc32 " + options + " '" + roms + "'");
  }
  std::string roms = folder + "/roms";
};

TEST_F(SyncCliTest, ReorganisedTreeKeepsItsRecords) {
  const CliRun first = sync();
  ASSERT_EQ(first.exitCode, 0) << first.output;
  EXPECT_NE(first.output.find("移動 0 件、変更 0 件、追加 3 件、不在 0 件、判別不能 0 件\n"), std::string::npos)
      << first.output;
  ASSERT_EQ(sql("INSERT INTO memo_table(pfile_mm, memo) VALUES('" + roms + "/a/one.d88', 'kept');"), 0);
  fs::rename(roms + "/a", roms + "/b");
  fs::remove(roms + "/gone.d88");
  std::ofstream(roms + "/new.d88", std::ios::binary) << "new";

  const CliRun planned = sync("--test");
  EXPECT_EQ(planned.exitCode, 0) << planned.output;
  EXPECT_EQ(planned.output, "---同期のシミュレーション---\n"
                            "移動：" + roms + "/a/one.d88 → " + roms + "/b/one.d88\n"
                            "移動：" + roms + "/a/two.d88 → " + roms + "/b/two.d88\n"
                            "追加：" + roms + "/new.d88\n"
                            "不在：" + roms + "/gone.d88\n"
                            "移動 2 件、変更 0 件、追加 1 件、不在 1 件、判別不能 0 件\n"
                            "処理を終了しました\n");
  EXPECT_EQ(query("SELECT pfile_mm FROM memo_table;"), roms + "/a/one.d88\n");

  // Asked to remove without --yes: the rest is done, nothing removed, and the
  // exit code says not all was.
  const CliRun declined = sync("--remove-missing");
  EXPECT_EQ(declined.exitCode, 1) << declined.output;
  EXPECT_NE(declined.output.find("nothing was removed"), std::string::npos) << declined.output;
  EXPECT_EQ(query("SELECT pfile_mm||'|'||memo FROM memo_table;"), roms + "/b/one.d88|kept\n");
  EXPECT_EQ(query("SELECT count(*) FROM main_table;"), "4\n");

  const CliRun removed = sync("--remove-missing --yes");
  EXPECT_EQ(removed.exitCode, 0) << removed.output;
  EXPECT_NE(removed.output.find("削除：" + roms + "/gone.d88\n"), std::string::npos) << removed.output;
  EXPECT_EQ(query("SELECT file_name FROM main_table ORDER BY 1;"),
            roms + "/b/one.d88\n" + roms + "/b/two.d88\n" + roms + "/new.d88\n");
}

TEST_F(SyncCliTest, RefusesWhatItCannotDo) {
  struct Case {
    std::string arguments;
    int exitCode;
  } cases[] = {
      {"sync '" + roms + "'", 2},                                // no machine
      {"sync --machine MSX --overwrite '" + roms + "'", 2},      // would put new rows over kept ones
      {"sync --machine MSX --keep-favourites '" + roms + "'", 2},
      {"sync --machine MSX --bogus '" + roms + "'", 2},
      {"sync --machine MSX", 2},
      {"sync --machine MSX '" + roms + "/none'", 1},
      {"sync --machine NOSUCH '" + roms + "'", 1},
      {"sync --machine MSX '" + roms + "/a/one.d88'", 1},  // a file, not a folder
  };
  for (const Case& c : cases) {
    const CliRun run = cli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.output;
  }
  EXPECT_EQ(query("SELECT count(*) FROM main_table;"), "0\n");
  const CliRun noLibrary = qm::test::runQuillmoorCli("sync --db '" + folder + "/none.db' --machine MSX '" + roms + "'");
  EXPECT_EQ(noLibrary.exitCode, 1);
}

}  // namespace

// quillmoor-cli register and list as a script uses them: every row of a small
// tree in key order, the final message, the exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;

class RegisterCliTest : public ::testing::Test {
protected:
  RegisterCliTest() : root(qm::text::sjisToUtf8(temp.path())) {
    db = "--db '" + root + "/Quillmoor.db' ";
    EXPECT_EQ(qm::test::runQuillmoorCli("create " + db).exitCode, 0);
    std::filesystem::create_directories(root + "/roms/表");
    std::ofstream(root + "/roms/It's 100% (Disk 1).d88") << "123456789";
    std::ofstream(root + "/roms/It's 100% (Disk 2).d88") << "abc";
    std::ofstream(root + "/roms/表/ソフト.d88") << "";
    std::ofstream(root + "/roms/readme.txt") << "x";
  }
  qm::test::TempFolder temp;
  std::string root, db;
};

TEST_F(RegisterCliTest, RegistersAndListsInKeyOrder) {
  const CliRun reg = qm::test::runQuillmoorCli("register " + db +
                                               "--machine PC88シリーズ --subdirs --crc32 --crc16 --folder-sets "
                                               "--title-mode 1 '" + root + "/roms'");
  EXPECT_EQ(reg.exitCode, 0) << reg.output;
  EXPECT_NE(reg.output.find("3 件の格納・更新が完了しました。( 4 ファイル中 )\n"), std::string::npos) << reg.output;
  const std::string d1 = root + "/roms/It's 100% (Disk 1).d88";
  const CliRun list = qm::test::runQuillmoorCli("list " + db + "--machine PC88シリーズ");
  EXPECT_EQ(list.exitCode, 0);
  EXPECT_EQ(list.output, d1 + "\tIt's 100%\t1\t\tCBF43926\t6F91\n" + root +
                             "/roms/It's 100% (Disk 2).d88\tIt's 100%\t2\t" + d1 + "\t352441C2\t61DA\n" + root +
                             "/roms/表/ソフト.d88\tソフト\t0\t\t\t\n");
  EXPECT_EQ(qm::test::runQuillmoorCli("list " + db + "--machine none").output, "");

  // Again without --overwrite: nothing new.
  const CliRun again = qm::test::runQuillmoorCli("register " + db + "--machine PC88シリーズ '" + root + "/roms'");
  EXPECT_NE(again.output.find("0 件の格納・更新が完了しました。( 3 ファイル中 )"), std::string::npos) << again.output;
}

TEST_F(RegisterCliTest, RefusesBadArgumentsAndMissingLibraries) {
  struct Case {
    std::string arguments;
    int exitCode;
  } cases[] = {
      {"register " + db + "'" + root + "/roms'", 2},                          // no machine
      {"register " + db + "--machine X --title-mode 5 '" + root + "'", 2},   // no such mode
      {"register " + db + "--machine X --subdir '" + root + "'", 2},         // unknown flag
      {"register --db '" + root + "/none.db' --machine X '" + root + "'", 1},
      {"list --db '" + root + "/none.db'", 1},
      {"list " + db + "extra", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(qm::test::runQuillmoorCli(c.arguments).exitCode, c.exitCode) << c.arguments;
}

}  // namespace

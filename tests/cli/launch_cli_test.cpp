// launch-command, launch and emulators with a shell script as the emulator.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/launch_keys.h"
#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;

class LaunchCliTest : public ::testing::Test {
protected:
  LaunchCliTest() : folder(qm::text::sjisToUtf8(temp.path())), db(folder + "/Quillmoor.db") {
    EXPECT_EQ(cli("create").exitCode, 0);
    EXPECT_EQ(std::system(("sqlite3 '" + db + "' \"INSERT INTO main_table(file_name,file_title,file_ext,machine_name,"
                           "title,play_time) VALUES ('" + folder + "/roms/a b.rom','a b','rom','MSX','A \\\"q\\\"','');"
                           "INSERT INTO use_emuset_table VALUES ('" + folder + "/roms/a b.rom', 'own');\"")
                              .c_str()),
              0);
    std::filesystem::create_directories(folder + "/emuconf/MSX");
    std::filesystem::create_directories(folder + "/emu");
    std::filesystem::create_directories(folder + "/roms");
    std::ofstream(folder + "/roms/a b.rom") << "rom";
    // Records its arguments one a line and its working folder.
    std::ofstream(folder + "/emu/emu.sh") << "#!/bin/sh\npwd > \"$0.log\"\nfor a in \"$@\"; do echo \"$a\" >> \"$0.log\"; done\n";
    std::filesystem::permissions(folder + "/emu/emu.sh", std::filesystem::perms::owner_all);
    setting("own", "[Emulator]\nExec=emu/emu.sh\nOption=-t \"$title\" \"$image1\"\n");
    setting("other", "[Emulator]\nExec=emu/missing.sh\n");
  }
  void setting(const std::string& name, const std::string& body) {
    std::ofstream(folder + "/emuconf/MSX/" + name + ".ini") << body;
  }
  CliRun cli(const std::string& arguments) { return qm::test::runQuillmoorCli(arguments + " --db '" + db + "'"); }
  std::string key() const { return "'" + folder + "/roms/a b.rom'"; }
  std::string log() const {
    std::ifstream in(folder + "/emu/emu.sh.log");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  qm::test::TempFolder temp;
  std::string folder;
  std::string db;
};

TEST_F(LaunchCliTest, LaunchCommandPrintsWithoutStartingAnything) {
  const CliRun run = cli("launch-command " + key());
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("command: \"" + folder + "/emu/emu.sh\" -t \"A q\" \"" + folder + "/roms/a b.rom\"\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("folder: " + folder + "/emu\n"), std::string::npos) << run.output;
  EXPECT_EQ(log(), "");
  EXPECT_EQ(cli("launch-command --setting none " + key()).exitCode, 1);
}

TEST_F(LaunchCliTest, LaunchRunsTheEmulatorInItsFolderWithOneArgumentPerPlaceholder) {
  std::ofstream(folder + "/emuconf/MSX/own.txt") << "a;b";
  const CliRun run = cli("launch " + key());
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.find("warning"), std::string::npos) << "natively no key is typed: " << run.output;
  EXPECT_EQ(log(), folder + "/emu\n-t\nA q\n" + folder + "/roms/a b.rom\n");
  const CliRun missing = cli("launch --setting other " + key());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.output.find(qm::text::sjisToUtf8(qm::text::sjis("エミュレータ実行ファイルが見つかりませんでした"))),
            std::string::npos);
}

// A set registered from the command line is launched with all its disks, and
// so is one whose derived disk count is missing.
TEST_F(LaunchCliTest, SetsLaunchWithEveryDisk) {
  std::filesystem::create_directories(folder + "/set");
  for (int k = 1; k <= 3; ++k) std::ofstream(folder + "/set/k (Disk " + std::to_string(k) + ").d88") << k;
  EXPECT_EQ(cli("register --machine MSX --folder-sets '" + folder + "/set'").exitCode, 0);
  setting("three", "[Emulator]\nExec=emu/emu.sh\nOption=$image1 $image2 $image3\n");
  const std::string parent = "'" + folder + "/set/k (Disk 1).d88'";
  for (const char* before : {"", "DELETE FROM tmp_maxdisk;"}) {
    EXPECT_EQ(std::system(("sqlite3 '" + db + "' \"" + before + "\"").c_str()), 0);
    const CliRun run = cli("launch-command --setting three " + parent);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("\" " + folder + "/set/k (Disk 1).d88 " + folder + "/set/k (Disk 2).d88 " + folder +
                              "/set/k (Disk 3).d88\n"),
              std::string::npos)
        << before << run.output;
  }
}

// Too long a text stops the launch with its name and limit, and the emulator never starts.
TEST_F(LaunchCliTest, TooLongAnOptionIsReportedNotLaunched) {
  setting("long", "[Emulator]\nExec=emu/emu.sh\nOption=" + std::string(1041, 'o') + "\n");
  const CliRun run = cli("launch --setting long " + key());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("[Emulator] Option"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("no emulator setting"), std::string::npos) << run.output;
  EXPECT_EQ(log(), "");
}

TEST_F(LaunchCliTest, EmulatorsListsTheSettingsOfEachMachine) {
  const CliRun run = cli("emulators --machine MSX");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "MSX\tother\t\temu/missing.sh\t\nMSX\town\t\temu/emu.sh\t-t \"$title\" \"$image1\"\n");
}

// The script's keys in order, the title pasted as the templates give it,
// and a set-only setting that types nothing for a single image.
TEST_F(LaunchCliTest, KeysScriptPrintsTheEventsInOrder) {
  std::ofstream(folder + "/emuconf/MSX/own.txt") << "SHIFTDOWN;a\r\n$title;SHIFTUP";
  const CliRun run = cli("keys-script " + key());
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("sleep 100\ndown 16\nsleep 50\ndown 65\nsleep 50\nup 65\nsleep 50\nclipboard A q\n"
                            "sleep 50\ndown 162\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("up 16\nsleep 50\nup 165\nsleep 200\nup 16\nsleep 200\nup 162\nsleep 200\nend\n"),
            std::string::npos)
      << run.output;
  setting("own", "[Emulator]\nExec=emu/emu.sh\n[KeyEmulation]\nEnable2ImgOver=1\n");
  const CliRun none = cli("keys-script " + key());
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.output.find("down"), std::string::npos) << none.output;
}

}  // namespace

namespace qm::cli {
namespace {

// Natively no key is typed, so `launch` never warns; on Windows the count of
// keys another window took comes after the run in these words.
TEST(LaunchKeyWarning, WordsForTheKeysNotSent) {
  const std::pair<int, const char*> cases[] = {
      {0, ""},
      {1, "warning: 1 key of the key script was not sent: another window was in front"},
      {12, "warning: 12 keys of the key script were not sent: another window was in front"},
  };
  for (const auto& [skipped, text] : cases) EXPECT_EQ(skippedKeysWarning(skipped), text) << skipped;
}

}  // namespace
}  // namespace qm::cli

// Deletes and folder walks against hostile paths: an extract folder spelled
// to reach the library's, the program's or the emulator's folder, and a tree
// that links back into itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/library_cli.h"

namespace qm::test {
namespace {

namespace fs = std::filesystem;

// The names below a folder, each with its bytes, for "nothing here changed".
std::map<std::string, std::string> snapshotOf(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

// Rule: a delete acts only where it may. The launch empties its extract
// folder after the emulator ends; the stand-in emulator records nothing.
// Every case has a tree of its own, since a failing one leaves little behind.
class LaunchTree {
public:
  LaunchTree() : folder(text::sjisToUtf8(temp.path())), db(folder + "/Quillmoor.db") {
    EXPECT_EQ(cli("create").exitCode, 0);
    fs::create_directories(folder + "/emuconf/MSX");
    fs::create_directories(folder + "/emu");
    fs::create_directories(folder + "/roms");
    fs::create_directories(folder + "/sub");
    fs::create_directories(folder + "/scratch");
    std::ofstream(folder + "/roms/a.rom") << "rom";
    std::ofstream(folder + "/Quillmoor2_Lib.dll") << "dll";
    std::ofstream(folder + "/emu/emu.sh") << "#!/bin/sh\nexit 0\n";
    fs::permissions(folder + "/emu/emu.sh", fs::perms::owner_all);
    fs::create_directory_symlink(folder + "/emu", folder + "/scratch/toemu");
    EXPECT_EQ(std::system(("sqlite3 '" + db + "' \"INSERT INTO main_table(file_name,file_title,file_ext,"
                           "machine_name,title,play_time) VALUES ('" + folder + "/roms/a.rom','a','rom','MSX','A','');\"")
                              .c_str()),
              0);
  }
  CliRun cli(const std::string& arguments) { return runQuillmoorCli(arguments + " --db '" + db + "'"); }
  // `extractPath` with "~" for the tree's folder.
  CliRun launchWithExtractPath(std::string extractPath) {
    extractPath.replace(0, 1, folder);
    std::ofstream(folder + "/emuconf/MSX/own.ini")
        << "[Emulator]\nExec=emu/emu.sh\n[ImageFile]\nExtract=0\nExtractAllDelete=1\nExtractPath=" << extractPath
        << "\n";
    return cli("launch --setting own '" + folder + "/roms/a.rom'");
  }

  TempFolder temp;
  std::string folder;  // UTF-8
  std::string db;
};

TEST(ConfinedDeleteCliTest, AnExtractFolderReachingAProtectedFolderIsLeftWhole) {
  const std::pair<std::string, const char*> cases[] = {
      {"~/sub/..", "展開先フォルダがプログラムのフォルダです。"},
      {"~/scratch/../sub/../", "展開先フォルダがプログラムのフォルダです。"},
      {"~/emu", "展開先フォルダがエミュレータのフォルダです。"},
      {"~/sub/../emu/", "展開先フォルダがエミュレータのフォルダです。"},
      {"~/scratch/toemu", "展開先フォルダがエミュレータのフォルダです。"},
      {"~/scratch/../roms", "展開先フォルダかその下にライブラリのイメージがあります。"},
  };
  for (const auto& [extractPath, reason] : cases) {
    LaunchTree tree;
    const auto before = snapshotOf(tree.folder);
    const CliRun run = tree.launchWithExtractPath(extractPath);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find(std::string("展開先フォルダ内のファイルを削除しませんでした。\n") + reason + "\n→" +
                              tree.folder + extractPath.substr(1)),
              std::string::npos)
        << extractPath << "\n" << run.output;
    auto after = snapshotOf(tree.folder);
    EXPECT_EQ(after.erase(tree.folder + "/emuconf/MSX/own.ini"), 1u);
    EXPECT_TRUE(after == before) << extractPath << ": " << after.size() << " files of " << before.size();
  }
}

TEST(ConfinedDeleteCliTest, AScratchFolderIsEmptiedOfItsFilesOnly) {
  LaunchTree tree;
  std::ofstream(tree.folder + "/scratch/left.tmp") << "x";
  fs::create_directories(tree.folder + "/scratch/inner");
  std::ofstream(tree.folder + "/scratch/inner/kept.tmp") << "y";
  const CliRun run = tree.launchWithExtractPath("~/sub/../scratch/");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.find("削除しませんでした"), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(tree.folder + "/scratch/left.tmp"));
  EXPECT_TRUE(fs::exists(tree.folder + "/scratch/inner/kept.tmp"));
  EXPECT_TRUE(fs::exists(tree.folder + "/emu/emu.sh"));
  EXPECT_TRUE(fs::exists(tree.db));
}

// Rule: a folder walk enters each folder once, however links lead back to it.
using LinkLoopCliTest = LibraryCliTest;

TEST_F(LinkLoopCliTest, ALinkLoopRegistersEachFileOnce) {
  fs::create_directories(folder + "/roms/disk");
  std::ofstream(folder + "/roms/disk/a.d88") << "a";
  std::ofstream(folder + "/roms/b.d88") << "b";
  fs::create_directory_symlink(folder + "/roms", folder + "/roms/disk/up");
  const CliRun run = cli("register --machine X --subdirs '" + folder + "/roms'");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(query("SELECT count(*), count(DISTINCT file_name) FROM main_table;"), "2|2\n") << run.output;
  EXPECT_EQ(query("SELECT file_title FROM main_table ORDER BY file_title;"), "a\nb\n");
}

}  // namespace
}  // namespace qm::test

// archive-list and archive-extract as a script sees them: tab-separated lines
// in the terminal's UTF-8, exit codes, and the files left behind. The archives
// come from tools/archive-fixtures.py (a CTest fixture).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

using CliResult = qm::test::CliRun;
CliResult cli(const std::string& arguments) { return qm::test::runQuillmoorCli(arguments); }

std::string fixture(const std::string& name) { return "'" + std::string(QM_ARCHIVE_FIXTURES) + "/" + name + "'"; }

class ArchiveCli : public ::testing::Test {
protected:
  void SetUp() override {
    if (!fs::exists(std::string(QM_ARCHIVE_FIXTURES) + "/manifest.txt"))
      GTEST_SKIP() << "no archive fixtures: run tools/archive-fixtures.py (ctest does it first)";
  }
  std::string folder() const { return qm::text::sjisToUtf8(temp.path()); }
  qm::test::TempFolder temp;
};

TEST_F(ArchiveCli, ListPrintsNameSizeAndStatedCrc) {
  const CliResult zip = cli("archive-list " + fixture("cases.zip"));
  EXPECT_EQ(zip.exitCode, 0);
  EXPECT_EQ(zip.output, "Save.DAT\t5\t6E5FDF9C\nsave.dat\t5\t0E9A7B23\nDisk/GAME.D88\t4\t232B318C\n");
  // rar states no CRC we read: the column stays empty.
  const CliResult rar = cli("archive-list " + fixture("utf8-names.rar"));
  EXPECT_EQ(rar.exitCode, 0);
  EXPECT_EQ(rar.output, "表だよ/ゲーム.fdi\t4000\t\n空.bin\t0\t\n");
}

TEST_F(ArchiveCli, ListOfADamagedArchiveShowsWhatCouldBeRead) {
  const CliResult run = cli("archive-list " + fixture("truncated.zip"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output.rfind("表だよ/ソフト.d88\t70000\t\n", 0), 0u) << run.output;
  EXPECT_NE(run.output.find("\nerror: " + std::string(QM_ARCHIVE_FIXTURES) + "/truncated.zip: "), std::string::npos)
      << run.output;
}

TEST_F(ArchiveCli, ExtractWritesTheMemberIntoTheFolder) {
  const CliResult run = cli("archive-extract " + fixture("python-cp932.zip") + " '表だよ/ソフト.d88' '" + folder() + "'");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "extracted " + folder() + "/ソフト.d88\n");
  EXPECT_EQ(fs::file_size(folder() + "/ソフト.d88"), 70000u);
}

TEST_F(ArchiveCli, ExtractRefusesANameThatLeavesTheFolder) {
  const CliResult run = cli("archive-extract " + fixture("zip-slip.zip") + " ../evil.txt '" + folder() + "'");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output,
            "error: " + std::string(QM_ARCHIVE_FIXTURES) + "/zip-slip.zip: unsafe member name ../evil.txt\n");
  EXPECT_TRUE(fs::is_empty(folder()));
  EXPECT_FALSE(fs::exists(fs::path(folder()).parent_path() / "evil.txt"));
}

TEST_F(ArchiveCli, WrongArgumentCounts) {
  EXPECT_EQ(cli("archive-list").exitCode, 2);
  const CliResult run = cli("archive-extract a.zip member");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.output, "usage: quillmoor-cli archive-extract ARCHIVE MEMBER FOLDER\n");
}

}  // namespace

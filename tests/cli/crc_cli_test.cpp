// quillmoor-cli crc as a script uses it: the two texts, windows, failures.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::test::CliRun;

// The C locale keeps the system's error texts in English.
CliRun runCliInCLocale(const std::string& arguments) { return qm::test::runQuillmoorCli(arguments, "LC_ALL=C "); }

class CrcCliTest : public ::testing::Test {
protected:
  CrcCliTest() : file(qm::text::sjisToUtf8(temp.path()) + "/ソフト.bin") { std::ofstream(file) << "123456789"; }
  qm::test::TempFolder temp;
  std::string file;  // as the terminal names it (UTF-8)
};

TEST_F(CrcCliTest, TextsOfTheFileAndOfWindows) {
  struct Case {
    std::string options, output;
  };
  const Case cases[] = {
      {"", "crc32: CBF43926\ncrc16: 6F91\n"},
      {"--offset 2 --length 3", "crc32: 34F5B50F\ncrc16: E715\n"},
      {"--length 100 --offset 3", "crc32: FB16B375\ncrc16: F46A\n"},
      {"--offset 9", "crc32: 00000000\ncrc16: FFFF\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = runCliInCLocale("crc '" + file + "' " + c.options);
    EXPECT_EQ(run.exitCode, 0) << c.options;
    EXPECT_EQ(run.output, c.output) << c.options;
  }
}

TEST_F(CrcCliTest, MissingFileAndBadArguments) {
  const std::string missing = qm::text::sjisToUtf8(temp.path()) + "/missing.bin";
  const CliRun failed = runCliInCLocale("crc '" + missing + "'");
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.output, "error: " + missing + ": No such file or directory\n");
  for (const std::string arguments : {"crc", "crc a b", "crc a --offset -1", "crc a --length 0x10", "crc a --fast"}) {
    const CliRun run = runCliInCLocale(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.output, "usage: quillmoor-cli crc FILE [--offset N] [--length N]\n") << arguments;
  }
}

}  // namespace

// verify and rename-data with a DAT file, as a script uses them.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/library_cli.h"
#include "tests/support/dat_text.h"

namespace {

using qm::test::CliRun;

class VerifyCliTest : public qm::test::LibraryCliTest {
protected:
  VerifyCliTest() {
    // "a" has the CRC-32 cbf43926 of "123456789".
    std::ofstream(folder + "/a.rom") << "123456789";
    sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,crc32) VALUES"
        "('" + folder + "/a.rom','a','rom','MSX','old','CBF43926'),('" + folder + "/b.rom','b','rom','MSX','b','');");
    std::ofstream(folder + "/list.dat") << qm::test::datText(
        {{"Alpha (Japan) (Rev 1)", "アルファ", "1985", "Maker", {{"Alpha (Japan) (Rev 1).rom", 9, 0xCBF43926, ""}}},
         {"Beta (Japan)", "", "", "", {{"beta.rom", 1, 1, ""}}}},
        qm::test::DatFormat::Xml, "Test DAT");
  }
};

TEST_F(VerifyCliTest, PrintsAStatusPerImageTheMissingGamesAndTheCounts) {
  const CliRun run = cli("verify --machine MSX --dat '" + folder + "/list.dat'");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("renamed\t" + folder + "/a.rom\tAlpha (Japan) (Rev 1)\n"
                            "nocrc\t" + folder + "/b.rom\t\n"
                            "missing\tBeta (Japan)\n"
                            "verified 0, renamed 1, unknown 0, nocrc 1, missing 1\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("DAT「Test DAT」：2 ゲーム、2 ROM"), std::string::npos) << run.output;

  std::ofstream(folder + "/broken.dat") << "game (\n name \"x\"\n rom ( name y";
  const CliRun broken = cli("verify --dat '" + folder + "/broken.dat'");
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_EQ(broken.output, "error: DATファイルを読み込めません（3 行目：ファイルが途中で終わっています）\n");
  EXPECT_EQ(cli("verify --dat '" + folder + "/absent.dat'").exitCode, 1);
  EXPECT_EQ(cli("verify").exitCode, 2);
}

TEST_F(VerifyCliTest, RenameDataFillsRecordsThroughTheDatPlugin) {
  const CliRun run = cli("rename-data --machine MSX --plugin plugin/datfile.nya --list '" + folder +
                         "/list.dat' --items Title,Country,Version,Year --yes");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("DAT「Test DAT」：2 ゲーム、2 ROM\n"), std::string::npos) << run.output;
  EXPECT_EQ(query("SELECT title, country, version, sale_year FROM main_table ORDER BY file_name;"),
            "アルファ|Japan|Rev 1|1985-00-00\nb|||0\n");
  std::ofstream(folder + "/broken.dat") << "<datafile>\n<game name=\"x\">\n";
  const CliRun broken = cli("rename-data --machine MSX --plugin plugin/datfile.nya --list '" + folder +
                            "/broken.dat' --yes");
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_NE(broken.output.find("error: DATファイルを読み込めません（3 行目：ファイルが途中で終わっています）"),
            std::string::npos)
      << broken.output;
}

}  // namespace

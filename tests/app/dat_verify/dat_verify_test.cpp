// The verification over a library of generated images whose CRCs the test
// computes, against DATs it writes.
#include "app/dat_verify/dat_verify.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "crclib/crc_accumulator.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/app/renamedata/stored_zip.h"
#include "tests/support/dat_text.h"
#include "tests/support/file_bytes.h"

namespace {

using qm::datverify::verifyLibrary;
using qm::maintenance::MachineChoice;
using qm::test::DatFormat;
using qm::test::TestGame;
using qm::text::sjis;

std::uint32_t crcOf(const std::string& bytes) {
  qm::crc::CrcAccumulator crc(qm::crc::CrcSet::Crc32);
  crc.update(bytes.data(), bytes.size());
  return crc.values().crc32;
}

class DatVerifyTest : public qm::test::MaintenanceTest, public ::testing::WithParamInterface<DatFormat> {
protected:
  // An image file of `bytes` in the library under `name`, with its CRC (or
  // none), the key as the report prints it (UTF-8).
  std::string image(const std::string& name, const std::string& bytes, const std::string& machine = "MSX",
                    bool withCrc = true) {
    const std::string key = pathOf(sjis(name));
    EXPECT_TRUE(qm::test::writeFile(key, bytes));
    addImage(qm::text::sjisToUtf8(key), machine, name);
    if (withCrc)
      execute("UPDATE main_table SET crc32='" + qm::crc::crc32Text(crcOf(bytes)) + "' WHERE file_name='" +
              qm::text::sjisToUtf8(key) + "';");
    return qm::text::sjisToUtf8(key);
  }
  std::vector<std::string> verify(const std::vector<TestGame>& games, const MachineChoice& machine) {
    const auto read = qm::dat::readDat(qm::test::datText(games, GetParam()));
    EXPECT_TRUE(read.dat);
    if (!read.dat) return {};
    const auto report = verifyLibrary(dbPath, machine, *read.dat, observer, stop);
    EXPECT_EQ(report.failure, "");
    std::vector<std::string> lines;
    for (const std::string& line : qm::datverify::reportLines(report)) lines.push_back(qm::text::sjisToUtf8(line));
    return lines;
  }
};

TEST_P(DatVerifyTest, GivesEveryImageItsStatusAndListsTheMissingGames) {
  const std::string good = image("Star Quest (Japan).rom", "good dump");
  const std::string renamed = image("sq2.rom", "second");
  const std::string unknown = image("hack.rom", "a hack");
  const std::string nocrc = image("new.rom", "not yet", "MSX", false);
  const std::string longer = image("Overdump (Japan).rom", "overdump!");
  const std::string disk2 = image("ソーサリアン (Disk 2).d88", "disk two");
  image("Other machine.rom", "good dump", "PC-98");
  const std::vector<TestGame> games = {
      {"Star Quest (Japan)", "", "", "", {{"Star Quest (Japan).rom", 9, crcOf("good dump"), ""}}},
      {"Star Quest II (Japan)", "", "", "", {{"Star Quest II (Japan).rom", 6, crcOf("second"), ""}}},
      // A DAT's second game with a CRC loses it to the first.
      {"Star Quest (Japan) [a]", "", "", "", {{"Star Quest (Japan) [a].rom", 9, crcOf("good dump"), ""}}},
      {"Overdump (Japan)", "", "", "", {{"Overdump (Japan).rom", 8, crcOf("overdump!"), ""}}},
      {"ソーサリアン (Japan)", "", "", "", {{"ソーサリアン (Disk 1).d88", 9, crcOf("disk one"), ""},
                                            {"ソーサリアン (Disk 2).d88", 8, crcOf("disk two"), ""}}},
      {"Never Dumped (Japan)", "", "", "", {{"never.rom", 1, 0xFFFFFFFF, ""}}},
  };
  // In key order, then the missing games in DAT order and the counts.
  EXPECT_EQ(verify(games, MachineChoice::only("MSX")),
            (std::vector<std::string>{
                "unknown\t" + longer + "\t",  // the DAT's ROM is a byte shorter
                "verified\t" + good + "\tStar Quest (Japan)",
                "unknown\t" + unknown + "\t",
                "nocrc\t" + nocrc + "\t",
                "renamed\t" + renamed + "\tStar Quest II (Japan)",
                "verified\t" + disk2 + "\tソーサリアン (Japan)",
                "missing\tStar Quest (Japan) [a]",
                "missing\tOverdump (Japan)",
                "missing\tNever Dumped (Japan)",
                "verified 2, renamed 1, unknown 2, nocrc 1, missing 3",
            }));
  EXPECT_EQ(observer.ranges, std::vector<int>{6});
  EXPECT_EQ(observer.steps, 6);
  EXPECT_EQ(verify(games, MachineChoice::everyMachine()).back(), "verified 2, renamed 2, unknown 2, nocrc 1, missing 3");
}

TEST_P(DatVerifyTest, TakesTheSizeOfAnArchivedImageFromItsArchive) {
  const std::string zip = pathOf("set.zip");
  ASSERT_TRUE(qm::test::writeFile(zip, qm::test::storedZip({{"dir/a.rom", "member a"}, {"b.rom", "member bb"}})));
  for (const char* member : {"dir/a.rom", "b.rom"}) {
    const std::string key = qm::text::sjisToUtf8(zip) + "*" + member;
    addImage(key, "MSX", member);
    execute("UPDATE main_table SET crc32='" +
            qm::crc::crc32Text(crcOf(std::string(member) == "b.rom" ? "member bb" : "member a")) +
            "' WHERE file_name='" + key + "';");
  }
  const auto lines = verify({{"A", "", "", "", {{"a.rom", 8, crcOf("member a"), ""}}},
                             {"B", "", "", "", {{"b.rom", 8, crcOf("member bb"), ""}}}},
                            MachineChoice::everyMachine());
  EXPECT_EQ(lines, (std::vector<std::string>{"unknown\t" + qm::text::sjisToUtf8(zip) + "*b.rom\t",
                                             "verified\t" + qm::text::sjisToUtf8(zip) + "*dir/a.rom\tA", "missing\tB",
                                             "verified 1, renamed 0, unknown 1, nocrc 0, missing 1"}));
}

INSTANTIATE_TEST_SUITE_P(Dat, DatVerifyTest, ::testing::Values(DatFormat::Xml, DatFormat::Cmpro));

// The text the dialog saves: the lines the command-line tool prints, each
// ended by CR LF, the keys and names as program text.
TEST(DatVerifyReport, IsSavedAsTheLinesWithCrLf) {
  using qm::datverify::ImageStatus;
  qm::datverify::VerifyReport report;
  report.images = {{ImageStatus::Verified, sjis("C:\\表\\a.rom"), sjis("ソフト (Japan)")},
                   {ImageStatus::Renamed, "C:\\b.zip*b.rom", "B"},
                   {ImageStatus::Unknown, "C:\\c.rom", ""},
                   {ImageStatus::NoCrc, "C:\\d.rom", ""}};
  report.counts[0] = report.counts[1] = report.counts[2] = report.counts[3] = 1;
  report.missing = {"E", "F"};
  EXPECT_EQ(qm::datverify::reportText(report),
            sjis("verified\tC:\\表\\a.rom\tソフト (Japan)\r\n") +
                "renamed\tC:\\b.zip*b.rom\tB\r\nunknown\tC:\\c.rom\t\r\nnocrc\tC:\\d.rom\t\r\n"
                "missing\tE\r\nmissing\tF\r\nverified 1, renamed 1, unknown 1, nocrc 1, missing 2\r\n");
  EXPECT_EQ(qm::datverify::reportText({}), "verified 0, renamed 0, unknown 0, nocrc 0, missing 0\r\n");
}

TEST(DatVerifyLoad, ReadsPlainAndZippedDatsAndNamesTheFaults) {
  qm::test::TempFolder folder;
  const std::string dat = qm::test::datText({{"G", "", "", "", {{"g.rom", 1, 1, ""}}}}, DatFormat::Cmpro);
  const std::string plain = folder.file("list.dat");
  const std::string zipped = folder.file("list.zip");
  const std::string broken = folder.file("broken.xml");
  ASSERT_TRUE(qm::test::writeFile(plain, dat));
  ASSERT_TRUE(qm::test::writeFile(zipped, qm::test::storedZip({{"readme.txt", "x"}, {"list.dat", dat}})));
  ASSERT_TRUE(qm::test::writeFile(broken, "<datafile>\n<game name=\"a\">\n<rom name=\"x\"/>\n"));
  for (const std::string& path : {plain, zipped}) {
    const auto load = qm::datverify::loadDatFile(path);
    ASSERT_TRUE(load.dat) << qm::text::sjisToUtf8(load.error);
    EXPECT_EQ(load.dat->games.at(0).name, "G");
  }
  EXPECT_EQ(qm::text::sjisToUtf8(qm::datverify::loadDatFile(broken).error),
            "DATファイルを読み込めません（4 行目：ファイルが途中で終わっています）");
  EXPECT_EQ(qm::text::sjisToUtf8(qm::datverify::loadDatFile(folder.file("absent.dat")).error),
            "リストデータファイルが開けませんでした");
}

}  // namespace

#include "common/dat/dat_file.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/support/dat_text.h"

namespace {

using qm::dat::readDat;
using qm::test::DatFormat;
using qm::test::TestGame;
using qm::text::sjis;
using qm::text::sjisToUtf8;

const std::vector<TestGame> kGames = {
    {"Star Quest (Japan)", "Star Quest", "1987", "Hudson", {{"Star Quest (Japan).sfc", 1048576, 0x1A2B3C4D, ""}}},
    {"Two Disks (Japan) (Disk 1)", "", "", "", {{"a.d88", 348848, 0x00000001, ""}, {"b.d88", 348848, 0xFFFFFFFF, "baddump"}}},
    {"スーパー表示 & <Co> '1'", "スーパー表示", "199x", "ソフト表", {{"スーパー表示.rom", 0, 0x00ABCDEF, "verified"}}},
};

class BothFormats : public ::testing::TestWithParam<DatFormat> {};

TEST_P(BothFormats, ReadsEveryGameAndRomAsProgramText) {
  const auto read = readDat(qm::test::datText(kGames, GetParam(), "Nintendo - Super Famicom"));
  ASSERT_TRUE(read.dat) << sjisToUtf8(read.error);
  const auto& dat = *read.dat;
  EXPECT_EQ(dat.name, "Nintendo - Super Famicom");
  EXPECT_EQ(dat.lost, 0);
  ASSERT_EQ(dat.games.size(), kGames.size());
  for (std::size_t g = 0; g < kGames.size(); ++g) {
    SCOPED_TRACE(g);
    EXPECT_EQ(dat.games[g].name, sjis(kGames[g].name));
    EXPECT_EQ(dat.games[g].description, sjis(kGames[g].description));
    EXPECT_EQ(dat.games[g].year, kGames[g].year);
    EXPECT_EQ(dat.games[g].maker, sjis(kGames[g].maker));
    ASSERT_EQ(dat.games[g].roms.size(), kGames[g].roms.size());
    for (std::size_t r = 0; r < kGames[g].roms.size(); ++r) {
      const auto& rom = dat.games[g].roms[r];
      EXPECT_EQ(rom.name, sjis(kGames[g].roms[r].name));
      EXPECT_EQ(rom.size, kGames[g].roms[r].size);
      EXPECT_EQ(rom.crc32, kGames[g].roms[r].crc);
      EXPECT_EQ(rom.status, kGames[g].roms[r].status);
    }
  }
}

// Cut anywhere inside the list, a DAT is refused with the line, never read
// in part: XML keeps elements open, clrmamepro a block.
TEST_P(BothFormats, RefusesEveryCutInsideTheList) {
  const std::string whole = qm::test::datText(kGames, GetParam());
  const std::size_t firstGame = whole.find("game");
  const std::size_t lastClose = whole.find_last_of(GetParam() == DatFormat::Xml ? "<" : ")");
  for (std::size_t cut = firstGame; cut < lastClose; ++cut) {
    // A clrmamepro list ends well between two games.
    const std::size_t next = whole.find_first_not_of(" \t\r\n", cut);
    if (GetParam() == DatFormat::Cmpro && whole.compare(next, 6, "game (") == 0) continue;
    const auto read = readDat(std::string_view(whole).substr(0, cut));
    ASSERT_FALSE(read.dat) << cut;
    ASSERT_NE(read.error.find(sjis(" 行目：")), std::string::npos) << sjisToUtf8(read.error);
  }
}

INSTANTIATE_TEST_SUITE_P(Dat, BothFormats, ::testing::Values(DatFormat::Xml, DatFormat::Cmpro));

std::string errorOf(const std::string& utf8) { return sjisToUtf8(readDat(utf8).error); }

TEST(DatXml, ReadsCommentsDoctypeCdataEntitiesAndMachines) {
  const auto read = readDat(
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE datafile PUBLIC \"-//Logiqx//DTD ROM Management Datafile//EN\" \"x.dtd\" [\n"
      "  <!ELEMENT datafile (header?, game*)>\n]>\n"
      "<!-- a comment with <game name=\"no\"> inside -->\n"
      "<datafile><header><name>H</name><description>not the name</description></header>\n"
      "<machine name='M &amp; N' cloneof=\"x\"><description><![CDATA[A <b> & c]]></description>"
      "<publisher>Pub</publisher><rom name=\"caf&#233; &#x30A2;.bin\" size=\"0x10\" crc=\"DEADBEEF\"/>"
      "<disk name=\"d\" sha1=\"00\"/></machine>\n"
      "<game name=\"g\"><publisher>P</publisher><manufacturer>M</manufacturer></game>\n"
      "</datafile>\n");
  ASSERT_TRUE(read.dat) << sjisToUtf8(read.error);
  EXPECT_EQ(read.dat->name, "H");
  ASSERT_EQ(read.dat->games.size(), 2u);
  const auto& machine = read.dat->games[0];
  EXPECT_EQ(machine.name, "M & N");
  EXPECT_EQ(machine.description, "A <b> & c");
  EXPECT_EQ(machine.maker, "Pub");
  ASSERT_EQ(machine.roms.size(), 1u);
  // "é" is not in code page 932: written as "?" and counted.
  EXPECT_EQ(machine.roms[0].name, sjis("caf? ア.bin"));
  EXPECT_EQ(read.dat->lost, 1);
  EXPECT_EQ(machine.roms[0].size, 16u);
  EXPECT_EQ(machine.roms[0].crc32, 0xDEADBEEFu);
  EXPECT_EQ(read.dat->games[1].maker, "M");  // manufacturer before publisher
}

TEST(DatXml, CountsCharactersCodePage932LacksInTheText) {
  const auto read = readDat("<datafile><game name=\"Pok\xC3\xA9mon \xE2\x82\xAC\"><rom name=\"x\"/></game></datafile>");
  ASSERT_TRUE(read.dat);
  EXPECT_EQ(read.dat->games[0].name, "Pok?mon ?");
  EXPECT_EQ(read.dat->lost, 2);
}

TEST(DatXml, TakesAListAlreadyInShiftJis) {
  const auto read = readDat(sjis("<datafile><game name=\"表ソ\"><rom name=\"ー.rom\" crc=\"-\"/></game></datafile>"));
  ASSERT_TRUE(read.dat);
  EXPECT_EQ(read.dat->games[0].name, sjis("表ソ"));
  EXPECT_FALSE(read.dat->games[0].roms[0].crc32);
}

TEST(DatXml, NamesTheLineOfEachFault) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"<datafile>\n<game name=\"a\">\n</machine>\n</datafile>",
       "DATファイルを読み込めません（3 行目：終了タグ </machine> に対応する開始タグがありません）"},
      {"<datafile>\n<game name=\"a\">\n<rom name=\"x\" crc=\"12345G78\"/>\n</game></datafile>",
       "DATファイルを読み込めません（3 行目：ROM の CRC \"12345G78\" が16進数8桁ではありません）"},
      {"<datafile>\n<game name=\"a\"><rom name=\"x\"\n size=\"1k\"/></game></datafile>",
       "DATファイルを読み込めません（2 行目：ROM のサイズ \"1k\" が数値ではありません）"},
      {"<datafile>\n\n<game name=\"a &nbsp; b\"/></datafile>",
       "DATファイルを読み込めません（3 行目：不明な実体参照 &nbsp があります）"},
      {"<datafile>\n<!-- open\n\n", "DATファイルを読み込めません（2 行目：ファイルが途中で終わっています）"},
      {"<datafile>\n<game name=\"a\">\n", "DATファイルを読み込めません（3 行目：ファイルが途中で終わっています）"},
      {"<html><body/></html>", "DATファイルを読み込めません（1 行目：DATファイルの形式ではありません）"},
      {"<?xml version=\"1.0\"?>\n", "DATファイルを読み込めません（2 行目：DATファイルの形式ではありません）"},
      {"[Star Quest]\nCRC32=1\n", "DATファイルを読み込めません（1 行目：DATファイルの形式ではありません）"},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.text), c.error) << c.text;
}

TEST(DatCmpro, PassesByBlocksItDoesNotUseAndNamesFaults) {
  const auto read = readDat(
      "clrmamepro ( name \"C\" )\n"
      "resource ( name \"bios\" rom ( name bios.bin size 4 crc 0000000a ) )\n"
      "game ( name \"G\" sample ( name s ) disk ( name d sha1 00 ) rom ( name \"a b.rom\" size 2 crc 0000000B ) )\n");
  ASSERT_TRUE(read.dat) << sjisToUtf8(read.error);
  EXPECT_EQ(read.dat->name, "C");
  ASSERT_EQ(read.dat->games.size(), 2u);
  EXPECT_EQ(read.dat->games[1].roms.at(0).name, "a b.rom");
  EXPECT_EQ(read.dat->games[1].roms.at(0).crc32, 0xBu);
  EXPECT_EQ(errorOf("game (\n name \"a\n"), "DATファイルを読み込めません（2 行目：ファイルが途中で終わっています）");
  EXPECT_EQ(errorOf("game (\n name \"a\"\n rom ( name x crc zz )\n)"),
            "DATファイルを読み込めません（3 行目：ROM の CRC \"zz\" が16進数8桁ではありません）");
  EXPECT_EQ(errorOf("game (\n name )"), "DATファイルを読み込めません（2 行目：項目 name に値がありません）");
}

TEST(DatFile, LooksLikeADatOnlyByItsStart) {
  EXPECT_TRUE(qm::dat::looksLikeDat("\xEF\xBB\xBF\r\n<?xml version=\"1.0\"?>\n<!-- x -->\n<datafile>"));
  EXPECT_TRUE(qm::dat::looksLikeDat("<datafile>"));
  EXPECT_TRUE(qm::dat::looksLikeDat("clrmamepro (\n"));
  EXPECT_TRUE(qm::dat::looksLikeDat("game\t("));
  EXPECT_FALSE(qm::dat::looksLikeDat("<?xml version=\"1.0\"?><list/>"));
  EXPECT_FALSE(qm::dat::looksLikeDat("; list\r\n[game (x)]\r\n"));
  EXPECT_FALSE(qm::dat::looksLikeDat("gamer ("));
  EXPECT_FALSE(qm::dat::looksLikeDat(""));
}

}  // namespace

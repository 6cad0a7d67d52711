#include "common/dat/dat_index.h"

#include <gtest/gtest.h>

#include "common/dat/name_tags.h"
#include "common/text/encoding.h"
#include "tests/support/dat_text.h"

namespace {

using qm::dat::DatIndex;
using qm::text::sjis;

qm::dat::DatFile datOf(const std::vector<qm::test::TestGame>& games) {
  auto read = qm::dat::readDat(qm::test::datText(games, qm::test::DatFormat::Xml));
  EXPECT_TRUE(read.dat) << qm::text::sjisToUtf8(read.error);
  return read.dat ? std::move(*read.dat) : qm::dat::DatFile{};
}

TEST(DatIndex, TheFirstGameWithACrcWinsAndTheOthersAreCounted) {
  const auto dat = datOf({
      {"First", "", "", "", {{"a.rom", 1, 0x11111111, ""}, {"a2.rom", 1, 0x11111111, ""}}},
      {"Second", "", "", "", {{"b.rom", 1, 0x11111111, ""}}},
      {"Multi", "", "", "", {{"m1.bin", 1, 0x22222222, ""}, {"m2.bin", 2, 0x33333333, ""}}},
      {"Third", "", "", "", {{"c.rom", 1, 0x11111111, ""}}},
  });
  const DatIndex index(dat);
  ASSERT_NE(index.byCrc(0x11111111).game, nullptr);
  EXPECT_EQ(index.byCrc(0x11111111).game->name, "First");
  EXPECT_EQ(index.byCrc(0x11111111).rom->name, "a.rom");
  // The second ROM of a game counts as much as the first.
  EXPECT_EQ(index.byCrc(0x33333333).game->name, "Multi");
  EXPECT_EQ(index.byCrc(0x33333333).rom->name, "m2.bin");
  EXPECT_EQ(index.byCrc(0x44444444).game, nullptr);
  // The same CRC twice in one game is no other game's.
  EXPECT_EQ(index.sharedCrcs(), 2);
}

TEST(DatIndex, FindsNamesByTheirLastPartWithoutRegardToAsciiCase) {
  // "ヂ" ends in 0x61 ("a"), "表" in 0x5C ("\"), "ー" in 0x5B ("[").
  const auto dat = datOf({
      {"Folders", "", "", "", {{"Disc 1/Track 01.bin", 1, 1, ""}, {"ディスク\\表.d88", 1, 2, ""}}},
      {"Kana", "", "", "", {{"ヂー.Rom", 1, 3, ""}, {"no extension", 1, 4, ""}}},
  });
  const DatIndex index(dat);
  const struct {
    const char* name;
    bool withExtension;
    const char* game;  // nullptr: not found
  } cases[] = {
      {"track 01.BIN", true, "Folders"}, {"TRACK 01", false, "Folders"},     {"Disc 1/Track 01.bin", true, nullptr},
      {"表.d88", true, "Folders"},       {"表", false, "Folders"},           {"ヂー.ROM", true, "Kana"},
      {"ヂー", false, "Kana"},           {"ヂー.rom", false, nullptr},       {"NO EXTENSION", true, "Kana"},
      {"No Extension", false, "Kana"},   {"\x83\x41\x81\x5B.rom", true, nullptr},  // "アー": "ヂ" uppercased is not "ア"
  };
  for (const auto& c : cases) {
    const auto found = index.byName(sjis(c.name), c.withExtension);
    EXPECT_EQ(found.game ? found.game->name : std::string("(none)"), c.game ? c.game : "(none)") << c.name;
  }
}

TEST(NameTags, ReadsRegionsVersionsAndFlags) {
  const struct {
    const char* name;
    const char* country;
    const char* version;
  } cases[] = {
      {"Star Quest (Japan)", "Japan", ""},
      {"Star Quest (USA, Europe) (Rev 1)", "USA, Europe", "Rev 1"},
      {"Star Quest (Japan) (v1.1) [b]", "Japan", "v1.1 [b]"},
      {"Star Quest (1987)(Hudson)(JP)[a2][cr Team]", "JP", "[a2] [cr Team]"},
      {"Star Quest (1987)(Hudson)(JP-US)", "JP-US", ""},
      {"Star Quest (Japan) (Beta) (Proto)", "Japan", "Beta Proto"},
      {"Star Quest (Disk 1 of 2) (Japan, Korea)", "Japan, Korea", ""},
      {"Star Quest (Jp) (version 2)", "", ""},
      // "ー" is 0x81 0x5B: no bracket opens inside the title.
      {"スーパーソフト (Japan) [b]", "Japan", "[b]"},
      {"スーパー[ソフト] (Japan)", "Japan", "[ソフト]"},
      {"Unclosed (Japan", "", ""},
  };
  for (const auto& c : cases) {
    const auto tags = qm::dat::nameTags(sjis(c.name));
    EXPECT_EQ(tags.country, sjis(c.country)) << c.name;
    EXPECT_EQ(tags.version, sjis(c.version)) << c.name;
  }
}

}  // namespace

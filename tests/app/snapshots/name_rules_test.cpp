#include "app/snapshots/name_rules.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"

namespace qm::snapshots {
namespace {

using text::sjis;
using Names = std::vector<std::string>;

TEST(CrcNames, PadsThenTrimsAndNeverInventsAName) {
  const struct {
    const char* crc;
    Names names;
  } cases[] = {
      {"00012345", {"00012345", "0012345", "012345", "12345"}},
      {"12345", {"12345", "012345", "0012345", "00012345"}},
      {"0A", {"0A", "00A", "000A", "0000A", "00000A", "000000A", "0000000A", "A"}},
      {"ABCDEF01", {"ABCDEF01"}},
      // An unknown CRC tries nothing, so never "00000000": empty, or the
      // CRC library's error value in any length.
      {"", {}},
      {"00000000", {}},
      {"0", {}},
      // One digit other than zero keeps the name from trimming to nothing.
      {"0001", {"0001", "00001", "000001", "0000001", "00000001", "001", "01", "1"}},
  };
  for (const auto& c : cases) EXPECT_EQ(crcNames(c.crc), c.names) << c.crc;
}

TEST(CutBeforeBracket, CutsAtTheFirstBracketPastTheFirstCharacter) {
  const struct {
    std::string name, cut;
  } cases[] = {
      {"ABC (J) [!]", "ABC"},
      {"ABC[b](J)", "ABC"},
      {"(Demo) XYZ (J)", "(Demo) XYZ"},
      {"[Demo] XYZ [a]", "[Demo] XYZ"},
      {"ABC", "ABC"},
      {"(J)", "(J)"},
      {"A  (", "A"},
      {"(", "("},
      {"", ""},
      // "ー" is 0x81 0x5B: its trail byte is no "[".
      {sjis("ゲーム (J)"), sjis("ゲーム")},
      {sjis("ゲーム"), sjis("ゲーム")},
  };
  for (const auto& c : cases) EXPECT_EQ(cutBeforeBracket(c.name), c.cut) << text::sjisToUtf8(c.name);
}

TEST(NameInputs, SplitsArchiveKeysAtTheStarAndStripsFoldersAndExtensions) {
  const struct {
    std::string key, image, inner;
  } cases[] = {
      {"C:\\roms\\ABC(J).zip*sub/123(J).rom", "ABC(J)", "123(J)"},
      {"C:\\roms\\ABC(J).zip*sub\\123.x.rom", "ABC(J)", "123.x"},
      {"C:\\roms\\plain.nes", "plain", ""},
      {"/home/u/noext", "noext", ""},
      // "表" and "ソ" end in 0x5C, which is no separator inside them.
      {sjis("C:\\表\\ソフト表.d88"), sjis("ソフト表"), ""},
      {sjis("C:\\a.lzh*表示\\ソ.rom"), "a", sjis("ソ")},
  };
  for (const auto& c : cases) {
    const NameInputs in = nameInputs(c.key, "1234ABCD", "T");
    EXPECT_EQ(in.imageName, c.image) << text::sjisToUtf8(c.key);
    EXPECT_EQ(in.innerName, c.inner) << text::sjisToUtf8(c.key);
  }
}

TEST(RuleNames, EachRuleTriesItsNameAndSkipsEmptyOnes) {
  NameInputs in{"12AB", "ABC (J)", "", "Title"};
  const auto stems = [&](int rule) {
    std::vector<std::string> out;
    for (const auto& n : ruleNames(rule, in)) out.push_back(n.stem + (n.prefix ? "*" : ""));
    return out;
  };
  EXPECT_EQ(stems(0), (Names{"12AB", "012AB", "0012AB", "00012AB", "000012AB"}));
  EXPECT_EQ(stems(1), Names{"ABC (J)"});
  EXPECT_EQ(stems(2), Names{"ABC (J)*"});
  EXPECT_EQ(stems(3), Names{"ABC*"});
  for (int rule : {4, 5, 6}) EXPECT_TRUE(stems(rule).empty()) << rule;
  EXPECT_EQ(stems(7), Names{"Title"});
  in.title.clear();
  in.imageName = "(J)";
  EXPECT_TRUE(stems(7).empty());
  EXPECT_EQ(stems(3), Names{"(J)*"});
  EXPECT_TRUE(ruleNames(8, in).empty());
}

TEST(MatchLabel, IsTheLabelUpToItsFirstComma) {
  EXPECT_EQ(matchLabel(0), "match>CRC32" + sjis("と同名の画像"));
  EXPECT_EQ(matchLabel(6), "match>" + sjis("圧縮内のイメージ名の ( [ 前で始まる名前の画像"));
  EXPECT_EQ(matchLabel(7), "match>" + sjis("タイトルと同名の画像"));
  EXPECT_EQ(ruleLabel(4), sjis("圧縮内のイメージ名と同名の画像,ex) ABC.zip\\123(J).rom,-> 123(J).bmp"));
  EXPECT_EQ(matchLabel(-1), "");
  EXPECT_EQ(matchLabel(8), "");
}

}  // namespace
}  // namespace qm::snapshots

#include "common/text/text_normalizer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/text/encoding.h"
#include "common/text/smart_title.h"
#include "tests/common/text/normalize_reference.h"

namespace {

using qm::text::NormalizeOptions;
using qm::text::sjis;
using qm::text::sjisToUtf8;
using qm::text::SymbolTables;
using qm::text::TextNormalizer;

// Texts in and out as UTF-8, so failures read as text.
std::string convert(const char* utf8, const NormalizeOptions& options,
                    const SymbolTables& tables = SymbolTables::defaults()) {
  return sjisToUtf8(TextNormalizer(options, tables)(sjis(utf8)));
}

std::string smart(const char* utf8) { return sjisToUtf8(qm::text::smartTitle(sjis(utf8), SymbolTables::defaults())); }

NormalizeOptions options(int kana, bool unvoiced, int spaces, bool removeSymbols = true, bool roman = true) {
  NormalizeOptions o;
  o.kanaTarget = kana;
  o.unvoiced = unvoiced;
  o.spaceRule = spaces;
  o.removeSymbols = removeSymbols;
  o.romanNumerals = roman;
  return o;
}

const NormalizeOptions kDefaultReading = options(0, false, 1);

struct Case {
  const char* input;
  NormalizeOptions options;
  const char* expected;
};

TEST(NormalizeText, DocumentedReadings) {
  const Case cases[] = {
      {"ｶﾞﾚｰｼﾞ ＶＳ", options(0, true, 1), "かれーしVS"},
      {"スタジアム'94", options(1, false, 2), "スタジアム94"},
      {"ⅩⅣ", options(3, false, 2), "104"},
      {"Ⅹ", options(3, false, 2), "10"},
      {"Ⅳ", options(3, false, 2, true, false), "Ⅳ"},
      {"!!!", options(0, false, 1), "!!!"},
      {"ナムコ ソニー", kDefaultReading, "なむこそにー"},
      {"ヰゐヱゑ", options(0, false, 1), "いいええ"},
      {"ヰゐヱゑ", options(1, false, 1), "イイエエ"},
      {"ｳﾞｧｰｼﾞｮﾝ", options(0, false, 1), "うぁーじょん"},
      {"ｳﾞｧｰｼﾞｮﾝ", options(1, false, 1), "ヴァージョン"},
      {"ヴヮゎ", options(0, false, 1), "うゎゎ"},
  };
  for (const Case& c : cases) EXPECT_EQ(convert(c.input, c.options), c.expected) << c.input;
}

TEST(NormalizeText, EmptyResultGivesBackTheInputUnlessAllowed) {
  NormalizeOptions o = kDefaultReading;
  EXPECT_EQ(convert("「！？」 　", o), "「！？」 　");
  o.mayBeEmpty = true;
  EXPECT_EQ(convert("「！？」 　", o), "");
  EXPECT_EQ(convert("", o), "");
}

TEST(NormalizeText, UnvoicedOnlyWhereTheScriptChanges) {
  const Case cases[] = {
      {"がガｶﾞぱパﾊﾟ", options(0, true, 1), "がかかぱはは"},
      {"がガｶﾞぱパﾊﾟ", options(1, true, 1), "カガカハパハ"},
      {"がガｶﾞぱパﾊﾟ", options(0, false, 1), "がががぱぱぱ"},
      {"がガｶﾞぱパﾊﾟ", options(2, true, 1), "ガガガパパパ"},
  };
  for (const Case& c : cases) EXPECT_EQ(convert(c.input, c.options), c.expected) << c.options.kanaTarget;
}

TEST(NormalizeText, SpaceRules) {
  const Case cases[] = {
      {"a　b c", options(3, false, 0), "A B C"},
      {"a　b c", options(3, false, 1), "ABC"},
      {"a　b c", options(3, false, 2), "A　B C"},
  };
  for (const Case& c : cases) EXPECT_EQ(convert(c.input, c.options), c.expected) << c.options.spaceRule;
}

TEST(NormalizeText, LettersAndDigitsAlwaysHalfWidthUpperCase) {
  EXPECT_EQ(convert("ａＢｃ０９xY", options(3, false, 2, false, false)), "ABC09XY");
}

// A sound mark joins the kana before it once the characters between them are
// gone, as the table-by-table sequence has it; a kept character parts them.
TEST(NormalizeText, SoundMarksJoinAcrossRemovedCharacters) {
  const Case cases[] = {
      {"ｶ・ﾞ", kDefaultReading, "が"},
      {"ｶ ﾞ", kDefaultReading, "が"},
      {"ｶ ﾞ", options(0, false, 2), "か ﾞ"},
      {"ｶaﾞ", kDefaultReading, "かAﾞ"},
      {"ｶｶﾞ", kDefaultReading, "かが"},
      {"ヴ・ァ", options(2, false, 1), "バ"},
  };
  for (const Case& c : cases) EXPECT_EQ(convert(c.input, c.options), c.expected) << c.input;
}

// "ソ" and "表" end in the byte of "\", "ー" in "[", "ポ" in "|", "ナ" in
// "i": whole-character matching never takes them apart.
TEST(NormalizeText, TrailBytesAreNeverMatched) {
  const Case cases[] = {
      {"ソ\\表[ポ|ー", options(3, false, 2), "ソ表ポー"},
      {"ナ", options(1, false, 2), "ナ"},
      {"ナニヌ", options(3, false, 2), "ナニヌ"},
      {"ソ表", options(0, false, 2), "そ表"},
  };
  for (const Case& c : cases) EXPECT_EQ(convert(c.input, c.options), c.expected) << c.input;
  const std::string bytes = TextNormalizer(kDefaultReading, SymbolTables::defaults())(sjis("ナムコ ソニー"));
  EXPECT_EQ(bytes, "\x82\xC8\x82\xDE\x82\xB1\x82\xBB\x82\xC9\x81\x5B");
}

SymbolTables userTables(const char* source, const char* target) {
  SymbolTables tables = SymbolTables::defaults();
  tables.userSource = sjis(source);
  tables.userTarget = sjis(target);
  return tables;
}

TEST(NormalizeText, UserMap) {
  NormalizeOptions on = options(3, false, 2, false, false);
  on.userMap = true;
  EXPECT_EQ(convert("＄ソ＃", on, userTables("＄＃", "$#")), "$ソ#");
  EXPECT_EQ(convert("＄ソ＃", on, userTables("ソ＃", "\\#")), "＄\\#");
  // A 3-byte source is not twice a 1-byte target: the map is ignored.
  EXPECT_EQ(convert("＄a", on, userTables("＄a", "$")), "＄A");
  // Half-width characters typed into the full-width field are left out, the
  // rest still pairs up by position.
  EXPECT_EQ(convert("＄ab＃", on, userTables("＄ab＃", "$x#")), "$AB#");
  NormalizeOptions off = on;
  off.userMap = false;
  EXPECT_EQ(convert("＄", off, userTables("＄", "$")), "＄");
}

TEST(NormalizeText, RemovalListsHoldWholeCharactersOnly) {
  NormalizeOptions o = options(3, false, 2);
  SymbolTables tables;
  tables.removeHalf = sjis("ソ[");  // the double-byte "ソ" is no half-width entry
  EXPECT_EQ(convert("ソ\\[ー", o, tables), "ソ\\ー");
  tables.removeFull = sjis("ソ") + "a";  // odd byte count: the whole list is ignored
  EXPECT_EQ(convert("ソ", o, tables), "ソ");
  tables.removeFull = sjis("ソ");
  EXPECT_EQ(convert("ソ表", o, tables), "表");
}

TEST(SmartTitle, DocumentedFolds) {
  const std::pair<const char*, const char*> cases[] = {
      {"マジカル ドラゴンⅢ そして旅立ちへ…", "マジカルドラゴン3ソシテ旅立チヘ"},
      {"ヴァンパイア", "バンパイア"},
      {"ヴィーナス", "ビーナス"},
      {"!!!", "!!!"},
      {"Ｂ－ＬＩＮＥ", "BLINE"},
      {"ｳﾞｧ", "ヴァ"},
      {"ｦをヲヴ", "ヲヲオブ"},
      {"ｳﾞ", "ヴ"},
      {"ドラゴン～", "ドラゴンー"},
      {"ゎヮ", "ヮヮ"},
  };
  for (const auto& [title, expected] : cases) EXPECT_EQ(smart(title), expected) << title;
}

TEST(SmartTitle, SpellingsOfOneTitleAgree) {
  for (const char* title : {"スーパー ロボット パズルⅣ", "すーぱーろぼっとぱずる4", "ｽｰﾊﾟｰﾛﾎﾞｯﾄﾊﾟｽﾞﾙ4"})
    EXPECT_EQ(smart(title), "スーパーロボットパズル4") << title;
}

// The one-pass converter against the table-by-table sequence, on texts made of
// the characters where the stages meet: sound marks, "ヴ" and small vowels,
// symbols of the removal lists, spaces, numerals, trail-byte look-alikes.
TEST(NormalizeText, AgreesWithTheReplacementSequence) {
  const std::vector<std::string> pool = [] {
    std::vector<std::string> chars;
    for (const char* c : {"ｶ", "ﾞ", "ﾟ", "ｳ", "ﾊ", "ｦ", "ｧ", "ヴ", "ァ", "ィ", "ォ", "ヲ", "を", "ゎ", "ヮ", "ゐ",
                          "ヱ", "が", "ぱ", "パ", "ナ", "ソ", "表", "ー", "～", "Ⅰ", "Ⅹ", "Ⅳ", "ａ", "Ｚ", "０",
                          "z", "9", " ", "　", "・", "！", "＄", "\\", "[", "|", "'", "漢", "゛"})
      chars.push_back(sjis(c));
    return chars;
  }();
  SymbolTables tables = SymbolTables::defaults();
  tables.userSource = sjis("＄ソ゛");
  tables.userTarget = sjis("ﾞ\\ﾟ");
  std::mt19937 random(4);
  std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
  std::uniform_int_distribution<int> length(0, 10);
  for (int kana : {0, 1, 2, 3}) {
    for (int spaces : {0, 1, 2}) {
      for (int flags = 0; flags < 16; ++flags) {
        NormalizeOptions o = options(kana, flags & 1, spaces, flags & 2, flags & 4);
        o.userMap = flags & 8;
        o.mayBeEmpty = (kana + spaces) % 2 == 1;
        const auto plan = qm::text::buildConversionPlan(o, tables);
        const TextNormalizer normalizer(plan, o.mayBeEmpty);
        for (int n = 0; n < 10; ++n) {
          std::string text;
          for (int i = length(random); i > 0; --i) text += pool[pick(random)];
          ASSERT_EQ(sjisToUtf8(normalizer(text)), sjisToUtf8(qm::test::convertLiterally(plan, text, o.mayBeEmpty)))
              << sjisToUtf8(text) << " kana " << kana << " spaces " << spaces << " flags " << flags;
        }
      }
    }
  }
}

}  // namespace

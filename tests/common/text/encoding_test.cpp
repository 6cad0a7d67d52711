#include "common/text/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
using qm::text::sjisToUtf8;
using qm::text::utf8ToSjis;

struct Pair {
  std::string sjis;
  std::string utf8;
};

// Characters whose code page 932 form is easy to get wrong: the JIS-vs-Windows
// symbols, NEC and IBM extensions, half-width katakana, the yen/backslash byte.
const Pair kNamed[] = {
    {"\x81\x60", "～"}, {"\x81\x61", "∥"}, {"\x81\x7C", "－"}, {"\x81\xCA", "￢"},
    {"\x87\x40", "①"}, {"\x87\x54", "Ⅰ"}, {"\xFA\x40", "ⅰ"}, {"\x81\xE6", "∵"},
    {"\xFB\xFC", "髙"}, {"\xFA\x5C", "纊"}, {"\x83\x5C", "ソ"}, {"\x95\x5C", "表"},
    {"\x81\x5B", "ー"}, {"\x81\x45", "・"}, {"\x82\xA0", "あ"}, {"\xA1", "｡"},
    {"\xB1", "ｱ"},      {"\xDF", "ﾟ"},      {"\x5C", "\\"},      {"\x7E", "~"},
    {"\xF0\x40", "\uE000"}, {"\xF9\xFC", "\uE757"},
    // Single bytes Windows maps although they are no characters.
    {"\x80", "\u0080"}, {"\xA0", "\uF8F0"}, {"\xFD", "\uF8F1"}, {"\xFE", "\uF8F2"}, {"\xFF", "\uF8F3"},
};

TEST(Encoding, NamedCharactersBothWays) {
  for (const auto& p : kNamed) {
    EXPECT_EQ(sjisToUtf8(p.sjis), p.utf8) << p.utf8;
    EXPECT_EQ(utf8ToSjis(p.utf8), p.sjis) << p.utf8;
  }
}

TEST(Encoding, DuplicateCodesReadAsOneCharacter) {
  // NEC-selected IBM codes read fine but are written as the IBM code.
  EXPECT_EQ(sjisToUtf8("\xEE\xEF"), "ⅰ");
  EXPECT_EQ(sjisToUtf8("\xED\x40"), "纊");
  EXPECT_EQ(sjisToUtf8("\xEE\xF9"), "￢");
  EXPECT_EQ(sjisToUtf8("\xFA\x54"), "￢");
  EXPECT_EQ(sjisToUtf8("\x87\x9A"), "∵");
}

TEST(Encoding, LookalikesOutsideTheCodePageBecomeQuestionMarks) {
  // glibc writes these as ~, \ and the Windows symbols; Windows does not, and
  // "¥" must never become the path separator.
  for (const char* s : {"¥", "‾", "〜", "‖", "−", "¬", "¢", "£", "—", "é", "\uFFFD", "\u0081"}) {
    EXPECT_EQ(utf8ToSjis(s), "?") << s;
  }
  EXPECT_EQ(utf8ToSjis("C:¥rom"), "C:?rom");
  EXPECT_EQ(utf8ToSjis("😀"), "??") << "one per UTF-16 half";
  EXPECT_EQ(utf8ToSjis("a😀b"), "a??b");
}

TEST(Encoding, AsciiPassesThroughUnchanged) {
  const std::string ascii = "\0\x01 C:\\roms\\a~b\x7F"s;
  EXPECT_EQ(sjisToUtf8(ascii), ascii);
  EXPECT_EQ(utf8ToSjis(ascii), ascii);
  EXPECT_EQ(sjisToUtf8(""), "");
  EXPECT_EQ(utf8ToSjis(""), "");
}

TEST(Encoding, MixedTextRoundTrips) {
  const std::string utf8 = "\0ROM名\\ソフト表 ｶﾅ ①～髙.zip\0"s;
  const std::string sjis = utf8ToSjis(utf8);
  EXPECT_EQ(sjis, "\0ROM\x96\xBC\\\x83\x5C\x83\x74\x83\x67\x95\x5C \xB6\xC5 \x87\x40\x81\x60\xFB\xFC.zip\0"s);
  EXPECT_EQ(sjisToUtf8(sjis), utf8);
}

TEST(Encoding, MalformedShiftJisReadsAsWindowsDoes) {
  EXPECT_EQ(sjisToUtf8("\x81"), "・") << "lone lead at the end";
  EXPECT_EQ(sjisToUtf8("a\x82"), "a・");
  EXPECT_EQ(sjisToUtf8("\x81\0b"s), "・\0b"s) << "NUL is never a trail byte";
  EXPECT_EQ(sjisToUtf8("\x81 a"), "・a") << "any other byte is taken as the trail";
  EXPECT_EQ(sjisToUtf8("\x81\x7F\x82\xA0"), "・あ");
  EXPECT_EQ(sjisToUtf8("\x85\x40"), "・") << "unassigned row";
  EXPECT_EQ(sjisToUtf8("\xEB\x40"), "・");
  EXPECT_EQ(sjisToUtf8("\xFC\x4C"), "・") << "just past the last IBM kanji";
}

TEST(Encoding, MalformedUtf8BecomesQuestionMarks) {
  EXPECT_EQ(utf8ToSjis("\xE3\x81"), "?") << "truncated あ";
  EXPECT_EQ(utf8ToSjis("a\xE3\x81"), "a?");
  EXPECT_EQ(utf8ToSjis("\xE3\0"s), "?") << "a cut-off sequence takes the rest";
  EXPECT_EQ(utf8ToSjis("\xE3\x81z"), "?z");
  EXPECT_EQ(utf8ToSjis("\xC3("), "?(");
  EXPECT_EQ(utf8ToSjis("\xC0\xAF"), "??") << "overlong / stays harmless";
  EXPECT_EQ(utf8ToSjis("\xE0\x80\xAF"), "??");
  EXPECT_EQ(utf8ToSjis("\xF0\x80\x80\xAF"), "???");
  EXPECT_EQ(utf8ToSjis("\xED\xA0\x80"), "??") << "encoded surrogate";
  EXPECT_EQ(utf8ToSjis("\xF4\x90\x80\x80"), "???") << "above U+10FFFF";
  EXPECT_EQ(utf8ToSjis("\xFF\xFE"), "??");
  EXPECT_EQ(utf8ToSjis("\x80\xBF"), "??");
  EXPECT_EQ(utf8ToSjis("あ\x80"), "\x82\xA0?");
}

}  // namespace

#include "common/text/sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
namespace sjis = qm::sjis;

// Trail bytes that look like ASCII: "ソ" and "表" end in "\", "ー" in "[",
// "ア" (0x83 0x41) in "A", "ム" (0x83 0x80) in a high byte.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";
const std::string kBar = "\x81\x5B";
const std::string kA = "\x83\x41";

TEST(SjisBytes, LeadByteRangeEdges) {
  for (int c : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(sjis::isLeadByte(c)) << c;
  for (int c : {0x00, 0x5C, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF}) EXPECT_FALSE(sjis::isLeadByte(c)) << c;
}

TEST(SjisBytes, CharLengthNeedsARealTrailByte) {
  EXPECT_EQ(sjis::charLength(kSo, 0), 2u);
  EXPECT_EQ(sjis::charLength("\x83\x80"s, 0), 2u);
  EXPECT_EQ(sjis::charLength("\x81\xFC"s, 0), 2u);
  EXPECT_EQ(sjis::charLength("\x81\x3F"s, 0), 1u);
  EXPECT_EQ(sjis::charLength("\x81\x7F"s, 0), 1u);
  EXPECT_EQ(sjis::charLength("\x81\xFD"s, 0), 1u);
  EXPECT_EQ(sjis::charLength("\x81"s, 0), 1u) << "lone lead at the end";
  EXPECT_EQ(sjis::charLength("\xB1\x5C"s, 0), 1u) << "half-width katakana is one byte";
}

TEST(SjisBytes, BoundariesSkipTrailBytes) {
  const std::string s = "a" + kSo + "b";
  EXPECT_TRUE(sjis::isCharBoundary(s, 0));
  EXPECT_TRUE(sjis::isCharBoundary(s, 1));
  EXPECT_FALSE(sjis::isCharBoundary(s, 2));
  EXPECT_TRUE(sjis::isCharBoundary(s, 3));
  EXPECT_TRUE(sjis::isCharBoundary(s, 4)) << "the end is a boundary";
  EXPECT_FALSE(sjis::isCharBoundary(s, 5));
  EXPECT_FALSE(sjis::isCharBoundary(s, sjis::npos));
}

TEST(SjisFind, NeverMatchesTrailBytes) {
  EXPECT_EQ(sjis::find(kSo + kHyo, '\\'), sjis::npos);
  EXPECT_EQ(sjis::find(kBar + "[", '['), 2u);
  EXPECT_EQ(sjis::find(kA + "A", 'A'), 2u);
  EXPECT_EQ(sjis::find(kSo + "\\" + kHyo + "\\", '\\', 3), 5u);
  EXPECT_EQ(sjis::findLast(kSo + "\\" + kHyo, '\\'), 2u);
  EXPECT_EQ(sjis::findLast(kSo + kHyo, '\\'), sjis::npos);
  EXPECT_EQ(sjis::find("", 'a'), sjis::npos);
}

TEST(SjisFind, LeadByteSearchOnlyMatchesALoneLead) {
  EXPECT_EQ(sjis::find(kSo, '\x83'), sjis::npos);
  EXPECT_EQ(sjis::find(kSo + "\x83", '\x83'), 2u);
}

TEST(SjisFind, NeedleMustStartAndEndOnBoundaries) {
  // "\\x" appears in the bytes of "ソx" only from its trail byte.
  EXPECT_EQ(sjis::find(kSo + "x\\x", "\\x"), 3u);
  // A needle ending in a lead byte must not take half of "ソ".
  EXPECT_EQ(sjis::find("a" + kSo, "a\x83"), sjis::npos);
  EXPECT_EQ(sjis::find("a" + kSo + "a\x83", "a\x83"), 3u);
  EXPECT_EQ(sjis::find(kHyo + kSo, kSo), 2u);
  EXPECT_EQ(sjis::find("ab", "", 1), 1u);
  EXPECT_EQ(sjis::find("ab", "", 2), 2u);
  EXPECT_EQ(sjis::find("ab", "", 3), sjis::npos);
  EXPECT_EQ(sjis::find("ab", "abc"), sjis::npos);
}

TEST(SjisReplace, LeavesTrailBytesAlone) {
  EXPECT_EQ(sjis::replaceAll("C:\\" + kSo + "\\" + kHyo, "\\", "/"), "C:/" + kSo + "/" + kHyo);
  EXPECT_EQ(sjis::replaceAll("[" + kBar + "]", "[", "<"), "<" + kBar + "]");
  EXPECT_EQ(sjis::replaceAll("aaa", "aa", "b"), "ba") << "left to right, no overlap";
  EXPECT_EQ(sjis::replaceAll("a" + kSo, "a", "a\x83"), "a\x83" + kSo) << "output is not rescanned";
  EXPECT_EQ(sjis::replaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(sjis::replaceAll("", "a", "x"), "");
}

TEST(SjisCase, FoldsOnlySingleByteLetters) {
  // "ア" is 0x83 0x41 and "ａ" is 0x82 0x81; the 'A' inside "ア" must survive.
  const std::string mixed = "aZ" + kA + "\x83\x61" + "\x82\x81" + "@[`{";
  EXPECT_EQ(sjis::toUpperAscii(mixed), "AZ" + kA + "\x83\x61" + "\x82\x81" + "@[`{");
  EXPECT_EQ(sjis::toLowerAscii(mixed), "az" + kA + "\x83\x61" + "\x82\x81" + "@[`{");
  EXPECT_EQ(sjis::toLowerAscii("\x81" "A"), "\x81" "A") << "lead before a letter pairs with it";
  EXPECT_EQ(sjis::toLowerAscii("\x81 A"), "\x81 a");
}

TEST(SjisCase, EqualityIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(sjis::equalsIgnoreCaseAscii("Rom" + kSo + "X", "rOM" + kSo + "x"));
  // "ア" (0x83 0x41) and "ャ" (0x83 0x61) differ only in the trail's case bit.
  EXPECT_FALSE(sjis::equalsIgnoreCaseAscii(kA, "\x83\x61"));
  EXPECT_FALSE(sjis::equalsIgnoreCaseAscii("ab", "abc"));
  EXPECT_FALSE(sjis::equalsIgnoreCaseAscii("@", "`"));
  EXPECT_TRUE(sjis::equalsIgnoreCaseAscii("", ""));
}

TEST(SjisCut, EndsOnACharacterBoundary) {
  const std::string s = "ab" + kSo + "c";
  EXPECT_EQ(sjis::cutToBytes(s, 2), "ab");
  EXPECT_EQ(sjis::cutToBytes(s, 3), "ab") << "never half of ソ";
  EXPECT_EQ(sjis::cutToBytes(s, 4), "ab" + kSo);
  EXPECT_EQ(sjis::cutToBytes(s, 5), s);
  EXPECT_EQ(sjis::cutToBytes(s, 99), s);
  EXPECT_EQ(sjis::cutToBytes(s, 0), "");
  EXPECT_EQ(sjis::cutToBytes(kSo, 1), "");
  EXPECT_EQ(sjis::cutToBytes("a\x81", 1), "a");
}

}  // namespace

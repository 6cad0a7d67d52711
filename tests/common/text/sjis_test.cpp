#include "common/text/sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
namespace sj = ::qm::sjis;

// Trail bytes that look like ASCII: "ソ" and "表" end in "\", "ー" in "[",
// "ア" (0x83 0x41) in "A", "ム" (0x83 0x80) in a high byte.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";
const std::string kBar = "\x81\x5B";
const std::string kA = "\x83\x41";

TEST(SjisBytes, LeadByteRangeEdges) {
  for (int c : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(sj::isLeadByte(c)) << c;
  for (int c : {0x00, 0x5C, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF}) EXPECT_FALSE(sj::isLeadByte(c)) << c;
}

TEST(SjisBytes, CharLengthNeedsARealTrailByte) {
  EXPECT_EQ(sj::charLength(kSo, 0), 2u);
  EXPECT_EQ(sj::charLength("\x83\x80"s, 0), 2u);
  EXPECT_EQ(sj::charLength("\x81\xFC"s, 0), 2u);
  EXPECT_EQ(sj::charLength("\x81\x3F"s, 0), 1u);
  EXPECT_EQ(sj::charLength("\x81\x7F"s, 0), 1u);
  EXPECT_EQ(sj::charLength("\x81\xFD"s, 0), 1u);
  EXPECT_EQ(sj::charLength("\x81"s, 0), 1u) << "lone lead at the end";
  EXPECT_EQ(sj::charLength("\xB1\x5C"s, 0), 1u) << "half-width katakana is one byte";
}

TEST(SjisBytes, BoundariesSkipTrailBytes) {
  const std::string s = "a" + kSo + "b";
  EXPECT_TRUE(sj::isCharBoundary(s, 0));
  EXPECT_TRUE(sj::isCharBoundary(s, 1));
  EXPECT_FALSE(sj::isCharBoundary(s, 2));
  EXPECT_TRUE(sj::isCharBoundary(s, 3));
  EXPECT_TRUE(sj::isCharBoundary(s, 4)) << "the end is a boundary";
  EXPECT_FALSE(sj::isCharBoundary(s, 5));
  EXPECT_FALSE(sj::isCharBoundary(s, sj::npos));
}

TEST(SjisFind, NeverMatchesTrailBytes) {
  EXPECT_EQ(sj::find(kSo + kHyo, '\\'), sj::npos);
  EXPECT_EQ(sj::find(kBar + "[", '['), 2u);
  EXPECT_EQ(sj::find(kA + "A", 'A'), 2u);
  EXPECT_EQ(sj::find(kSo + "\\" + kHyo + "\\", '\\', 3), 5u);
  EXPECT_EQ(sj::findLast(kSo + "\\" + kHyo, '\\'), 2u);
  EXPECT_EQ(sj::findLast(kSo + kHyo, '\\'), sj::npos);
  EXPECT_EQ(sj::find("", 'a'), sj::npos);
}

TEST(SjisFind, LeadByteSearchOnlyMatchesALoneLead) {
  EXPECT_EQ(sj::find(kSo, '\x83'), sj::npos);
  EXPECT_EQ(sj::find(kSo + "\x83", '\x83'), 2u);
}

TEST(SjisFind, NeedleMustStartAndEndOnBoundaries) {
  // "\\x" appears in the bytes of "ソx" only from its trail byte.
  EXPECT_EQ(sj::find(kSo + "x\\x", "\\x"), 3u);
  // A needle ending in a lead byte must not take half of "ソ".
  EXPECT_EQ(sj::find("a" + kSo, "a\x83"), sj::npos);
  EXPECT_EQ(sj::find("a" + kSo + "a\x83", "a\x83"), 3u);
  EXPECT_EQ(sj::find(kHyo + kSo, kSo), 2u);
  EXPECT_EQ(sj::find("ab", "", 1), 1u);
  EXPECT_EQ(sj::find("ab", "", 2), 2u);
  EXPECT_EQ(sj::find("ab", "", 3), sj::npos);
  EXPECT_EQ(sj::find("ab", "abc"), sj::npos);
}

TEST(SjisReplace, LeavesTrailBytesAlone) {
  EXPECT_EQ(sj::replaceAll("C:\\" + kSo + "\\" + kHyo, "\\", "/"), "C:/" + kSo + "/" + kHyo);
  EXPECT_EQ(sj::replaceAll("[" + kBar + "]", "[", "<"), "<" + kBar + "]");
  EXPECT_EQ(sj::replaceAll("aaa", "aa", "b"), "ba") << "left to right, no overlap";
  EXPECT_EQ(sj::replaceAll("a" + kSo, "a", "a\x83"), "a\x83" + kSo) << "output is not rescanned";
  EXPECT_EQ(sj::replaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(sj::replaceAll("", "a", "x"), "");
}

TEST(SjisCase, FoldsOnlySingleByteLetters) {
  // "ア" is 0x83 0x41 and "ａ" is 0x82 0x81; the 'A' inside "ア" must survive.
  const std::string mixed = "aZ" + kA + "\x83\x61" + "\x82\x81" + "@[`{";
  EXPECT_EQ(sj::toUpperAscii(mixed), "AZ" + kA + "\x83\x61" + "\x82\x81" + "@[`{");
  EXPECT_EQ(sj::toLowerAscii(mixed), "az" + kA + "\x83\x61" + "\x82\x81" + "@[`{");
  EXPECT_EQ(sj::toLowerAscii("\x81" "A"), "\x81" "A") << "lead before a letter pairs with it";
  EXPECT_EQ(sj::toLowerAscii("\x81 A"), "\x81 a");
}

TEST(SjisCase, EqualityIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(sj::equalsIgnoreCaseAscii("Rom" + kSo + "X", "rOM" + kSo + "x"));
  // "ア" (0x83 0x41) and "ャ" (0x83 0x61) differ only in the trail's case bit.
  EXPECT_FALSE(sj::equalsIgnoreCaseAscii(kA, "\x83\x61"));
  EXPECT_FALSE(sj::equalsIgnoreCaseAscii("ab", "abc"));
  EXPECT_FALSE(sj::equalsIgnoreCaseAscii("@", "`"));
  EXPECT_TRUE(sj::equalsIgnoreCaseAscii("", ""));
}

TEST(SjisCut, EndsOnACharacterBoundary) {
  const std::string s = "ab" + kSo + "c";
  EXPECT_EQ(sj::cutToBytes(s, 2), "ab");
  EXPECT_EQ(sj::cutToBytes(s, 3), "ab") << "never half of ソ";
  EXPECT_EQ(sj::cutToBytes(s, 4), "ab" + kSo);
  EXPECT_EQ(sj::cutToBytes(s, 5), s);
  EXPECT_EQ(sj::cutToBytes(s, 99), s);
  EXPECT_EQ(sj::cutToBytes(s, 0), "");
  EXPECT_EQ(sj::cutToBytes(kSo, 1), "");
  EXPECT_EQ(sj::cutToBytes("a\x81", 1), "a");
}

}  // namespace

// Turning stored names into program text: the judgement on bare bytes, the
// repair of libarchive's "\" to "/" in rar 4 names, and the cut to 512 bytes.
#include <gtest/gtest.h>

#include "common/archive/archive_type.h"
#include "common/archive/member_name.h"
#include "common/text/encoding.h"

namespace {

namespace names = ::qm::archive::names;
using qm::text::sjis;

TEST(MemberName, BareBytesAreUtf8OnlyWhenTheyReadAsUtf8) {
  EXPECT_EQ(names::fromBareBytes("\x95\x5C.d88"), "\x95\x5C.d88");
  EXPECT_EQ(names::fromBareBytes("\xE8\xA1\xA8.d88"), "\x95\x5C.d88");
  EXPECT_EQ(names::fromBareBytes("plain/ascii.nes"), "plain/ascii.nes");
  // Half-width katakana in CP932 that is not UTF-8: "ｿﾌﾄ".
  EXPECT_EQ(names::fromBareBytes("\xBF\xCC\xC4"), "\xBF\xCC\xC4");
}

// Every pair of half-width katakana whose CP932 bytes also read as a two-byte
// UTF-8 sequence ("ﾃｱ" is 0xC3 0xB1, "ñ" in UTF-8): bare bytes without a
// sequence of three or more bytes are CP932, in zip and in rar 4 names alike.
TEST(MemberName, HalfWidthKatakanaThatReadsAsTwoByteUtf8StaysItself) {
  int pairs = 0;
  for (int lead = 0xC2; lead <= 0xDF; ++lead) {
    for (int trail = 0xA1; trail <= 0xBF; ++trail) {
      const std::string name = std::string{static_cast<char>(lead), static_cast<char>(trail)} + ".nes";
      ASSERT_TRUE(names::isValidUtf8(name));
      EXPECT_EQ(names::fromBareBytes(name), name) << lead << " " << trail;
      EXPECT_EQ(names::fromLatin1View(names::latin1ToUtf8(name)), name) << lead << " " << trail;
      qm::archive::ZipDirectoryEntry entry;
      entry.rawName = name;
      EXPECT_EQ(names::fromZipEntry(entry), name);
      ++pairs;
    }
  }
  EXPECT_EQ(pairs, 30 * 31);
  EXPECT_EQ(names::fromBareBytes("\xC3\xB1.nes"), sjis("ﾃｱ.nes"));
  EXPECT_EQ(names::fromBareBytes("\xC5\xB2.nes"), sjis("ﾅｲ.nes"));
  // One sequence of three bytes makes the whole name UTF-8, two-byte ones included.
  EXPECT_EQ(names::fromBareBytes("\xE3\x81\x82\xC3\xB1"), qm::text::utf8ToSjis("\xE3\x81\x82\xC3\xB1"));
  // Four-byte sequences count too; CP932 cannot hold them, so they change.
  EXPECT_NE(names::fromBareBytes("\xF0\x9F\x8E\xAE.nes"), "\xF0\x9F\x8E\xAE.nes");
}

TEST(MemberName, Utf8Validity) {
  EXPECT_TRUE(names::isValidUtf8("\xE3\x81\x82\xF0\x9F\x8E\xAE"));
  for (const char* bad : {"\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
                          "\xE3\x81", "\x80", "\xC2\x41"})
    EXPECT_FALSE(names::isValidUtf8(bad)) << qm::text::sjisToUtf8(bad);
}

TEST(MemberName, Latin1ViewGivesBackTheBytes) {
  const std::string bytes("\x95\x5C\x00\xFF", 4);
  EXPECT_EQ(names::latin1Bytes(names::latin1ToUtf8(bytes)), bytes);
  EXPECT_EQ(names::latin1Bytes("\xE8\xA1\xA8"), std::nullopt);
}

TEST(MemberName, Latin1ViewOfRarFourNames) {
  // libarchive made "表" (0x95 0x5C) into 0x95 "/"; "/" is never a second byte.
  EXPECT_EQ(names::fromLatin1View(names::latin1ToUtf8("\x95/\x8E\xA6/x.d88")), "\x95\\\x8E\xA6/x.d88");
  // A separator after a one-byte character stays one.
  EXPECT_EQ(names::fromLatin1View(names::latin1ToUtf8("\xB1/x")), "\xB1/x");
  // Bare UTF-8 bytes, and a view that is real Unicode.
  EXPECT_EQ(names::fromLatin1View(names::latin1ToUtf8("\xE8\xA1\xA8/x")), sjis("表/x"));
  EXPECT_EQ(names::fromLatin1View("\xE8\xA1\xA8/x"), sjis("表/x"));
}

TEST(MemberName, ZipEntryNameByFlagAndUnicodeField) {
  qm::archive::ZipDirectoryEntry entry;
  entry.rawName = "\xE8\xA1\xA8";
  entry.utf8Flag = true;
  EXPECT_EQ(names::fromZipEntry(entry), "\x95\x5C");
  entry.rawName = "\x95\x5C";
  entry.utf8Flag = false;
  entry.unicodePath = "\xE6\xBC\xA2";  // 漢: the field wins only when written for this name
  EXPECT_EQ(names::fromZipEntry(entry), "\x95\x5C");
  entry.unicodePathCurrent = true;
  EXPECT_EQ(names::fromZipEntry(entry), sjis("漢"));
}

TEST(MemberName, CutToTheRecordOnACharacterBoundary) {
  const std::string ascii(600, 'a');
  EXPECT_EQ(names::fitted(ascii), ascii.substr(0, 512));
  const std::string straddling = std::string(511, 'a') + sjis("表");
  EXPECT_EQ(names::fitted(straddling), std::string(511, 'a'));
  const std::string exact = std::string(510, 'a') + sjis("表");
  EXPECT_EQ(names::fitted(exact), exact);
}

TEST(ArchiveType, FromTheExtensionWithoutRegardToCase) {
  using qm::archive::ArchiveType;
  using qm::archive::archiveTypeOf;
  EXPECT_EQ(archiveTypeOf("D:\\roms\\Game.LZH"), ArchiveType::Lzh);
  EXPECT_EQ(archiveTypeOf("/roms/game.Zip"), ArchiveType::Zip);
  EXPECT_EQ(archiveTypeOf("set.part1.rar"), ArchiveType::Rar);
  EXPECT_EQ(archiveTypeOf("game.7Z"), ArchiveType::SevenZip);
  EXPECT_EQ(archiveTypeOf(sjis("表.zip")), ArchiveType::Zip);
  for (const char* path : {"game.d88", "zip", "folder.zip/game", "game.zip.bak", "game.", "", "game.7zip"})
    EXPECT_EQ(archiveTypeOf(path), std::nullopt) << path;
  EXPECT_EQ(qm::archive::archiveTypeFromText("7z"), ArchiveType::SevenZip);
  EXPECT_EQ(qm::archive::archiveTypeFromText(".zip"), std::nullopt);
}

}  // namespace

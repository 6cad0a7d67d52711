// The same Shift-JIS bytes come out whatever an archive stores: bare CP932 or
// UTF-8 bytes, flagged UTF-8 (zip), UTF-16 (7z, lzh, rar 4), UTF-8 (rar 5).
// "表" is 0x95 0x5C: its second byte is "\", which readers like to split at.
#include <gtest/gtest.h>

#include "common/archive/member_walk.h"
#include "common/text/encoding.h"
#include "tests/common/archive/archive_fixtures.h"

namespace {

using qm::text::sjis;

std::vector<std::string> namesIn(const qm::test::ArchiveFixtures& fixtures, const std::string& archive) {
  const auto walk = qm::archive::listMembers(fixtures.path(archive));
  EXPECT_FALSE(walk.error) << archive << ": " << walk.error->message;
  std::vector<std::string> names;
  for (const auto& m : walk.members) names.push_back(m.name);
  return names;
}

TEST(JapaneseNames, ZipWithCp932UtfFlaggedOrBareUtf8Names) {
  QM_NEED_FIXTURES();
  const std::string soft = "\x95\x5C" + sjis("だよ/ソフト.d88");
  ASSERT_EQ(soft.substr(0, 4), "\x95\x5C\x82\xBE");
  for (const char* archive : {"python-cp932.zip", "python-utf8.zip", "debian-zip.zip"}) {
    const auto names = namesIn(*fixtures, archive);
    ASSERT_EQ(names.size(), 5u) << archive;
    EXPECT_EQ(names[0], soft) << archive;
    EXPECT_EQ(names[4], sjis("a/b/c/深い階層のファイル.nes")) << archive;
  }
}

TEST(JapaneseNames, ZipSamplesMadeByOtherPrograms) {
  QM_NEED_FIXTURES();
  const std::vector<std::string> expected{"\x95\x5C" + sjis("だよ/一覧表.txt"), "\x95\x5C" + sjis("だよ/漢字.txt")};
  for (const char* sample : {"test_read_format_zip_filename_cp932.zip", "test_read_format_zip_filename_utf8_jp.zip"}) {
    QM_NEED_SAMPLE(sample);
    EXPECT_EQ(namesIn(*fixtures, sample), expected) << sample;
  }
}

TEST(JapaneseNames, SevenZipStoresUtf16) {
  QM_NEED_FIXTURES();
  const auto names = namesIn(*fixtures, "p7zip.7z");
  EXPECT_NE(std::find(names.begin(), names.end(), "\x95\x5C" + sjis("だよ/ソフト.d88")), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), sjis("空.bin")), names.end());
}

TEST(JapaneseNames, LzhWithCp932AndUtf16Names) {
  QM_NEED_FIXTURES();
  QM_NEED_SAMPLE("test_read_format_lha_filename_cp932.lzh");
  EXPECT_EQ(namesIn(*fixtures, "test_read_format_lha_filename_cp932.lzh"),
            (std::vector<std::string>{sjis("漢字.txt"), "\x95\x5C.txt"}));
  QM_NEED_SAMPLE("test_read_format_lha_filename_utf16.lzh");
  // Umlauts are not in code page 932: Windows writes "?" for each.
  const std::string umlauts(6, '?');
  EXPECT_EQ(namesIn(*fixtures, "test_read_format_lha_filename_utf16.lzh"),
            (std::vector<std::string>{umlauts + "/" + umlauts + ".txt", umlauts + "/" + sjis("テスト.txt"),
                                      sjis("テスト/") + umlauts + ".txt", umlauts + ".txt"}));
}

TEST(JapaneseNames, RarFourWithBareCp932Names) {
  QM_NEED_FIXTURES();
  // libarchive turns every 0x5C byte of such a name into "/"; it is put back.
  EXPECT_EQ(namesIn(*fixtures, "cp932-names.rar"),
            (std::vector<std::string>{sjis("表示/ソフト表.d88"), "readme.txt"}));
}

TEST(JapaneseNames, RarFourWithUnicodeNames) {
  QM_NEED_FIXTURES();
  QM_NEED_SAMPLE("test_read_format_rar_unicode.rar");
  EXPECT_EQ(namesIn(*fixtures, "test_read_format_rar_unicode.rar"),
            (std::vector<std::string>{sjis("表だよ/新しいフォルダ/新規テキスト ドキュメント.txt"),
                                      sjis("表だよ/漢字長いファイル名long-filename-in-漢字.txt"),
                                      sjis("abcdefghijklmnopqrsテスト.txt")}));
}

TEST(JapaneseNames, RarFiveStoresUtf8) {
  QM_NEED_FIXTURES();
  EXPECT_EQ(namesIn(*fixtures, "utf8-names.rar"), (std::vector<std::string>{sjis("表だよ/ゲーム.fdi"), sjis("空.bin")}));
}

TEST(JapaneseNames, LongNamesAreCutToTheMemberRecordOnACharacterBoundary) {
  QM_NEED_FIXTURES();
  const auto names = namesIn(*fixtures, "long-name.zip");
  ASSERT_EQ(names.size(), 1u);
  // 300 two-byte characters: 256 fit into 512 bytes.
  std::string expected;
  for (int i = 0; i < 256; ++i) expected += sjis("あ");
  EXPECT_EQ(names[0], expected);
}

}  // namespace

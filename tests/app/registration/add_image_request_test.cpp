#include "app/registration/add_image_request.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/registration/registration_library.h"
#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::registration {
namespace {

using text::sjis;

TEST(WorkerArguments, OptionsSitAtTheirIndicesAndEverythingElseIsZero) {
  AddImageChoices c;
  c.stored = {true, true, "(J)", true, false, true, false, true, true, false, true};
  c.titleMode = 4;
  c.makerMode = 1;
  c.versionMode = 3;
  c.adult = true;
  c.yearFromPath = true;
  c.overwrite = true;
  c.keepFavourites = true;
  const auto a = workerArguments(c);
  std::array<std::int32_t, kOptionCount> expected{};
  expected[0] = 1, expected[1] = 1, expected[2] = 4, expected[3] = 1, expected[4] = 3, expected[5] = 1;
  expected[6] = 1, expected[7] = 1, expected[9] = 1, expected[21] = 1, expected[22] = 1, expected[24] = 1;
  expected[40] = 1, expected[41] = 1;
  EXPECT_EQ(a.options, expected);
}

TEST(WorkerArguments, TextsAreCutOnCharacterBoundaries) {
  AddImageChoices c;
  // "表" is 0x95 0x5C: a byte cut would leave the lead byte, or in the path
  // a stray "\".
  c.path = std::string(258, 'p') + sjis("表");
  c.machine = std::string(254, 'm') + sjis("ソ");
  c.media = sjis("媒体");
  c.genre = std::string(255, 'g') + "x";
  c.saleYear = "1987";
  c.stored.countries = std::string(253, ';') + sjis("日本") + "(J)";
  c.crcOffset = "512";
  c.crcLength = "99999999999";
  const auto a = workerArguments(c);
  EXPECT_EQ(a.texts[0], std::string(258, 'p'));
  EXPECT_EQ(a.texts[1], std::string(254, 'm'));
  EXPECT_EQ(a.texts[2], sjis("媒体"));
  EXPECT_EQ(a.texts[3], std::string(255, 'g'));
  EXPECT_EQ(a.texts[4], "1987");
  EXPECT_EQ(a.texts[5], std::string(253, ';') + sjis("日"));
  EXPECT_EQ(a.crcWindow[0], 512u);
  EXPECT_EQ(a.crcWindow[1], 4294967295u);
  c.path = std::string(259, 'p') + "q";
  EXPECT_EQ(workerArguments(c).texts[0], std::string(259, 'p'));
}

TEST(WorkerArguments, CrcWindowEditsReadTheirLeadingDigits) {
  EXPECT_EQ(crcWindowValue(""), 0u);
  EXPECT_EQ(crcWindowValue("0"), 0u);
  EXPECT_EQ(crcWindowValue("4294967295"), 4294967295u);
  EXPECT_EQ(crcWindowValue("4294967296"), 4294967295u);
  EXPECT_EQ(crcWindowValue("16.5"), 16u);
}

TEST(AddImageTexts, QuestionAndExtensionLabel) {
  EXPECT_EQ(text::sjisToUtf8(startQuestion(sjis("ファミコン"), "C:\\roms")),
            "【機種】\nファミコン\n\n【イメージファイルまたは検索フォルダ】\nC:\\roms\n\n"
            "ライブラリに取り込みを開始します。\nよろしいですか？");
  EXPECT_EQ(text::sjisToUtf8(extensionLabel("nes;fds")), "( 検索拡張子： nes;fds )");
  EXPECT_EQ(text::sjisToUtf8(extensionLabel("")), "( 検索拡張子：指定なし )");
}

class StoredChoicesTest : public ::testing::Test {
protected:
  std::string path() const { return folder.file("Quillmoor2.ini"); }
  test::TempFolder folder;
};

TEST_F(StoredChoicesTest, AbsentKeysTakeTheirDefaults) {
  const StoredChoices c = loadStoredChoices(platform::IniFile(path()));
  EXPECT_FALSE(c.searchSubfolders || c.searchArchives || c.folderSets || c.crc16);
  EXPECT_TRUE(c.countryFromPath && c.defaultCountry && c.stripBrackets && c.archiveSets && c.archiveSetTitles &&
              c.crc32);
  EXPECT_EQ(c.countries, "(JP);[JP];(J);[J];(US);[US];(U);[U];(EU);[EU];(E);[E];(U);[U]");
}

TEST_F(StoredChoicesTest, SavedChoicesComeBackAndTheOldCountryKeyGoes) {
  ASSERT_TRUE(test::writeFile(path(), "[etcSetting]\r\nCountry=JP\r\nDLLSafeLoad=1\r\n"));
  StoredChoices c;
  c.searchSubfolders = true;
  c.countryFromPath = false;
  c.crc16 = true;
  // The stored list is longer than a run takes.
  c.countries = std::string(1000, ';') + sjis("(日本)");
  ASSERT_TRUE(saveStoredChoices(platform::IniFile(path()), c));
  EXPECT_EQ(test::readFile(path()),
            "[etcSetting]\r\nDLLSafeLoad=1\r\n[AddImgDir]\r\nSearchSubDir=1\r\nSearchArcImg=0\r\n"
            "CCheck1=0\r\nCCheck2=1\r\nCCheck3=1\r\nAutoArcGroup=1\r\nAddTitleArc=1\r\nAutoDirGroup=0\r\n"
            "CalcCRC32=1\r\nCalcCRC16=1\r\nCountryMarks=" +
                std::string(1000, ';') + sjis("(日本)") + "\r\n");
  const StoredChoices back = loadStoredChoices(platform::IniFile(path()));
  EXPECT_EQ(back.countries, c.countries);
  EXPECT_TRUE(back.searchSubfolders && back.crc16 && !back.countryFromPath);
}

// The program's binding of Quillmoor2_GetCRC, with the library built beside
// the tests and a stand-in that reports version 2.
class RegistrationLibraryTest : public ::testing::Test {
protected:
  void install(const std::string& builtName) {
    std::filesystem::copy_file(std::filesystem::current_path() / builtName,
                               std::filesystem::path(folder.path()) /
                                   platform::sharedLibraryFileName("Quillmoor2_GetCRC"));
  }
  test::TempFolder folder;
  RegistrationLibrary library;
};

TEST_F(RegistrationLibraryTest, TheBuiltLibraryBindsEveryExport) {
  install(platform::sharedLibraryFileName("Quillmoor2_GetCRC"));
  ASSERT_EQ(library.bind(folder.path()), Binding::Bound) << library.reason();
  EXPECT_EQ(library.exports().getLibVersionCRC(), 4);
  // A stop request raises a running flag only, never an error's 2.
  const std::pair<std::int16_t, std::int16_t> requests[] = {{0, 1}, {1, 1}, {2, 2}};
  for (const auto& [before, after] : requests) {
    library.exports().setDirAddThreadESC(before);
    library.requestStop();
    EXPECT_EQ(library.exports().getDirAddThreadESC(), after) << before;
  }
  library.exports().setDirAddThreadESC(0);
}

TEST_F(RegistrationLibraryTest, OldOrMissingLibrariesAreRefusedWithTheirMessage) {
  EXPECT_EQ(library.bind(folder.path()), Binding::NotLoaded);
  EXPECT_EQ(bindingMessage(Binding::NotLoaded, library.reason()).rfind(sjis("Quillmoor2_GetCRC.DLLを読み込めませんでした。\n"), 0), 0u);
  install(platform::sharedLibraryFileName("qm_old_library"));
  EXPECT_EQ(library.bind(folder.path()), Binding::TooOld);
  EXPECT_EQ(bindingMessage(Binding::TooOld, ""), sjis("Quillmoor2_GetCRC.DLLが古いようです"));
  EXPECT_EQ(library.exports().dirAddImg, nullptr);
}

}  // namespace
}  // namespace qm::registration

#include "common/text/reading_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using qm::platform::IniFile;
using qm::text::sjis;
using qm::text::SymbolTables;
using qm::text::SymbolTablesError;

class ReadingSettingsTest : public ::testing::Test {
protected:
  IniFile fileWith(const std::string& bytes) {
    const std::string path = folder_.file("case" + std::to_string(++files_) + ".ini");
    qm::test::writeFile(path, bytes);
    return IniFile(path);
  }
  IniFile emptyFile() { return IniFile(folder_.file("case" + std::to_string(++files_) + ".ini")); }

  qm::test::TempFolder folder_;
  int files_ = 0;
};

TEST_F(ReadingSettingsTest, DefaultsWithoutAFile) {
  const IniFile ini = emptyFile();
  const auto options = qm::text::loadReadingOptions(ini);
  EXPECT_EQ(options.kanaMode, 0);
  EXPECT_FALSE(options.unvoiced);
  EXPECT_EQ(options.spaceRule, 1);
  EXPECT_TRUE(options.removeSymbols);
  EXPECT_TRUE(options.romanNumerals);
  EXPECT_FALSE(options.userMap);
  const SymbolTables tables = qm::text::loadSymbolTables(ini);
  const SymbolTables defaults = SymbolTables::defaults();
  EXPECT_EQ(tables.userSource, "");
  EXPECT_EQ(tables.userTarget, "");
  EXPECT_EQ(tables.removeFull, defaults.removeFull);
  EXPECT_EQ(tables.removeHalf, defaults.removeHalf);
  EXPECT_EQ(tables.removeHalf.front(), '"');
}

TEST_F(ReadingSettingsTest, OptionsAreOnOnlyWhenOne) {
  const IniFile ini = fileWith(
      "[EditUICheckBoxs]\r\nYomiCnvMode=1\r\nDakuonToSeion=1\r\nYomiSpcRmv=0\r\nYomiMrkRmv=0\r\nYomiRmaCnv=2\r\n");
  const auto options = qm::text::loadReadingOptions(ini);
  EXPECT_EQ(options.kanaMode, 1);
  EXPECT_TRUE(options.unvoiced);
  EXPECT_EQ(options.spaceRule, 0);
  EXPECT_FALSE(options.removeSymbols);
  EXPECT_FALSE(options.romanNumerals);
  const auto normalize = qm::text::readingNormalizeOptions(options);
  EXPECT_EQ(normalize.kanaTarget, 1);
  EXPECT_EQ(normalize.spaceRule, 0);
  EXPECT_FALSE(normalize.mayBeEmpty);
}

TEST_F(ReadingSettingsTest, OptionsWrittenBack) {
  const IniFile ini = emptyFile();
  qm::text::ReadingOptions options;
  options.kanaMode = 1;
  options.unvoiced = true;
  options.spaceRule = 0;
  options.removeSymbols = false;
  options.userMap = true;
  ASSERT_TRUE(qm::text::saveReadingOptions(ini, options));
  EXPECT_EQ(*qm::test::readFile(ini.path()),
            "[EditUICheckBoxs]\r\nYomiCnvMode=1\r\nDakuonToSeion=1\r\nYomiSpcRmv=0\r\nYomiMrkRmv=0\r\nYomiRmaCnv=1\r\n");
  EXPECT_FALSE(qm::text::loadReadingOptions(ini).userMap);
}

// "\q" is a double quote in the half-width fields only; a "\" that is the
// trail byte of "ソ" starts no escape.
TEST_F(ReadingSettingsTest, EscapedQuotesInHalfWidthFields) {
  const IniFile ini = fileWith("[YomiConvChar]\r\nConvSrcZenChar=" + sjis("＂＃") + "\r\nConvDesHanChar=\\q#\r\n" +
                               "RemoveZenChar=\r\nRemoveHanChar=" + sjis("ソ") + "q\\q!\r\n");
  const SymbolTables tables = qm::text::loadSymbolTables(ini);
  EXPECT_EQ(tables.userSource, sjis("＂＃"));
  EXPECT_EQ(tables.userTarget, "\"#");
  EXPECT_EQ(tables.removeFull, "") << "a present but empty key removes nothing";
  EXPECT_EQ(tables.removeHalf, sjis("ソ") + "q\"!");
}

TEST_F(ReadingSettingsTest, LongValuesCutAtACharacterStart) {
  std::string full;
  for (int i = 0; i < 130; ++i) full += sjis("＃");
  const IniFile ini = fileWith("[YomiConvChar]\r\nConvSrcZenChar=a" + full + "\r\nConvDesHanChar=" +
                               std::string(130, '#') + "\r\nRemoveZenChar=" + full + "\r\n");
  const SymbolTables tables = qm::text::loadSymbolTables(ini);
  EXPECT_EQ(tables.userSource.size(), 243u) << "244 would split a character";
  EXPECT_EQ(tables.userTarget.size(), 122u);
  EXPECT_EQ(tables.removeFull.size(), 244u);
}

struct CheckCase {
  bool userMap;
  const char* source;
  const char* target;
  const char* removeFull;
  SymbolTablesError expected;
};

TEST(SymbolTablesCheck, ErrorsInTheirOrder) {
  using E = SymbolTablesError;
  const CheckCase cases[] = {
      {false, "", "", "", E::None},
      {true, "＄＃", "$#", "・", E::None},
      {true, "", "", "", E::UserMapWithoutTables},
      {true, "＄", "", "", E::UserMapByteCounts},
      {false, "＄", "", "", E::UserMapByteCounts},
      {false, "＄a", "$", "", E::UserMapByteCounts},
      {false, "＄＃", "$", "", E::UserMapByteCounts},
      {false, "", "", "・a", E::RemovalByteCount},
      {true, "", "", "・a", E::UserMapWithoutTables},
  };
  for (const CheckCase& c : cases) {
    SymbolTables tables;
    tables.userSource = sjis(c.source);
    tables.userTarget = sjis(c.target);
    tables.removeFull = sjis(c.removeFull);
    EXPECT_EQ(qm::text::checkSymbolTables(tables, c.userMap), c.expected) << c.source << "|" << c.target;
  }
}

TEST(SymbolTablesCheck, Messages) {
  using E = SymbolTablesError;
  EXPECT_EQ(qm::text::symbolTablesMessage(E::None), "");
  EXPECT_EQ(qm::text::symbolTablesMessage(E::UserMapWithoutTables),
            sjis("全角記号を半角に変換する場合は、高度な設定で半角化記号を指定して下さい。"));
  EXPECT_EQ(qm::text::symbolTablesMessage(E::UserMapByteCounts),
            sjis("高度な設定の半角化記号で、全角半角キャラクタバイト数の相互関係に不備があります。"));
  EXPECT_EQ(qm::text::symbolTablesMessage(E::RemovalByteCount),
            sjis("高度な設定で、全角除去記号のキャラクタバイト数に不備があります。"));
}

TEST_F(ReadingSettingsTest, SavingWritesUserTablesBeforeCheckingRemovals) {
  SymbolTables tables;
  tables.userSource = sjis("＂");
  tables.userTarget = "\"";
  tables.removeFull = "a";
  tables.removeHalf = "\"!";
  const IniFile ini = emptyFile();
  EXPECT_EQ(qm::text::saveSymbolTables(ini, tables, true), SymbolTablesError::RemovalByteCount);
  EXPECT_EQ(*qm::test::readFile(ini.path()),
            "[YomiConvChar]\r\nConvSrcZenChar=" + sjis("＂") + "\r\nConvDesHanChar=\\q\r\n");

  tables.removeFull = sjis("・");
  EXPECT_EQ(qm::text::saveSymbolTables(ini, tables, true), SymbolTablesError::None);
  const SymbolTables back = qm::text::loadSymbolTables(ini);
  EXPECT_EQ(back.userTarget, "\"");
  EXPECT_EQ(back.removeFull, sjis("・"));
  EXPECT_EQ(back.removeHalf, "\"!");
  EXPECT_NE(qm::test::readFile(ini.path())->find("RemoveHanChar=\\q!"), std::string::npos);
}

TEST_F(ReadingSettingsTest, UserMapErrorsWriteNothing) {
  SymbolTables tables;
  tables.userSource = sjis("＄");
  const IniFile ini = emptyFile();
  EXPECT_EQ(qm::text::saveSymbolTables(ini, tables, false), SymbolTablesError::UserMapByteCounts);
  EXPECT_FALSE(qm::test::readFile(ini.path()).has_value());
}

}  // namespace

// Quillmoor2.ini as the settings leave it: the bytes of a first save, round
// trips by reading phase, the declined upgrade and the readers' limits.
#include <gtest/gtest.h>

#include <string>

#include "app/settings/settings.h"
#include "app/shell/window_placement.h"
#include "common/text/encoding.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm {
namespace {

using platform::IniFile;

class SettingsFileTest : public ::testing::Test {
protected:
  std::string path() const { return folder_.file("Quillmoor2.ini"); }
  IniFile ini() const { return IniFile(path()); }
  void writeIni(const std::string& bytes) { ASSERT_TRUE(test::writeFile(path(), bytes)); }
  std::string bytes() const { return test::readFile(path()).value_or("<no file>"); }

  test::TempFolder folder_;
};

Settings closedAt(int x, int y) {
  Settings settings;
  shell::ClosingPlacement placement;
  placement.normal = {x, y, 850, 580};
  placement.maxX = placement.maxY = -1;
  shell::recordMainWindow(settings, placement);
  return settings;
}
// Written by hand: sections in the order of the shutdown save, keys in the
// order the program writes them.
// shutdown save, keys in the order of the document.
const char* const kFirstSave =
    "[Window]\r\n"
    "SeparateX=170\r\n"
    "SeparateY=260\r\n"
    "SeparateClose=0\r\n"
    "SeparateYtmp=20\r\n"
    "PositionX=87\r\n"
    "PositionY=94\r\n"
    "Width=850\r\n"
    "Height=580\r\n"
    "Maximize=0\r\n"
    "MaxPosX=-1\r\n"
    "MaxPosY=-1\r\n"
    "[ItemList]\r\n"
    "noCursorAdulation=0\r\n"
    "yomiSort=0\r\n"
    "clm_disp01=1\r\n"
    "clm_disp02=1\r\n"
    "clm_disp03=1\r\n"
    "clm_disp04=1\r\n"
    "clm_disp05=1\r\n"
    "clm_disp06=1\r\n"
    "clm_disp07=1\r\n"
    "clm_disp08=0\r\n"
    "clm_disp09=0\r\n"
    "clm_disp10=0\r\n"
    "clm_disp11=0\r\n"
    "clm_disp12=0\r\n"
    "clm_disp13=0\r\n"
    "clm_disp14=0\r\n"
    "clm_disp15=0\r\n"
    "clm_disp16=0\r\n"
    "clm_disp17=0\r\n"
    "clm_disp18=0\r\n"
    "clm_sort01=0\r\n"
    "clm_sort02=1\r\n"
    "clm_sort03=2\r\n"
    "clm_sort04=3\r\n"
    "clm_sort05=4\r\n"
    "clm_sort06=5\r\n"
    "clm_sort07=6\r\n"
    "clm_sort08=7\r\n"
    "clm_sort09=8\r\n"
    "clm_sort10=9\r\n"
    "clm_sort11=10\r\n"
    "clm_sort12=11\r\n"
    "clm_sort13=12\r\n"
    "clm_sort14=13\r\n"
    "clm_sort15=14\r\n"
    "clm_sort16=15\r\n"
    "clm_sort17=16\r\n"
    "clm_sort18=17\r\n"
    "clm01=150\r\n"
    "clm02=150\r\n"
    "clm03=150\r\n"
    "clm04=150\r\n"
    "clm05=150\r\n"
    "clm06=150\r\n"
    "clm07=150\r\n"
    "clm08=150\r\n"
    "clm09=150\r\n"
    "clm10=150\r\n"
    "clm11=150\r\n"
    "clm12=150\r\n"
    "clm13=150\r\n"
    "clm14=150\r\n"
    "clm15=150\r\n"
    "clm16=150\r\n"
    "clm17=150\r\n"
    "clm18=150\r\n"
    "[Migemo]\r\n"
    "FuzzyOn=1\r\n"
    "FuzzyLap=0\r\n"
    "FuzzyClassLimit=12\r\n"
    "SearchOn=1\r\n"
    "SearchClassLimit=0\r\n"
    "InclOn=1\r\n"
    "InclClassLimit=12\r\n"
    "ListOn=1\r\n"
    "[EditUICheckBoxs]\r\n"
    "YomiCnvMode=0\r\n"
    "DakuonToSeion=0\r\n"
    "YomiSpcRmv=1\r\n"
    "YomiMrkRmv=1\r\n"
    "YomiRmaCnv=1\r\n"
    "[MemoWindow]\r\n"
    "PositionX=-1\r\n"
    "PositionY=-1\r\n"
    "Width=320\r\n"
    "Height=320\r\n"
    "[SnapWindow]\r\n"
    "PositionX=100\r\n"
    "PositionY=100\r\n"
    "Width=580\r\n"
    "Height=460\r\n"
    "Maximize=1\r\n"
    "LoadNum=1\r\n"
    "TransMode=0\r\n"
    "Active=0\r\n"
    "SnapPoint=0\r\n"
    "[QueryTree]\r\n"
    "IconSize=16\r\n"
    "[SnapShot]\r\n"
    "VistaSize=0\r\n"
    "Width=320\r\n"
    "TrackX=0\r\n"
    "Proportion=0\r\n"
    "Blackly=0\r\n"
    "FindMode0=0\r\n"
    "FindMode1=1\r\n"
    "FindMode2=1\r\n"
    "FindMode3=1\r\n"
    "FindMode4=1\r\n"
    "FindMode5=0\r\n"
    "FindMode6=0\r\n"
    "FindMode7=0\r\n"
    "FindOrder0=0\r\n"
    "FindOrder1=1\r\n"
    "FindOrder2=2\r\n"
    "FindOrder3=3\r\n"
    "FindOrder4=4\r\n"
    "FindOrder5=5\r\n"
    "FindOrder6=6\r\n"
    "FindOrder7=7\r\n"
    "ExtPicToSnap=0\r\n"
    "CRC32Name=0\r\n"
    "CaptureResultMonitor=0\r\n"
    "CaptureResultPositon=0\r\n"
    "Transform=0\r\n"
    "TransformRatio=150\r\n"
    "InterpolationMode=0\r\n"
    "AutoTowShots=0\r\n"
    "[LastQuery]\r\n"
    "SQL1=\r\n"
    "SQL3=\r\n"
    "PrimaryKey=\r\n"
    "SortColumn=0\r\n"
    "SortOrder=1\r\n"
    "[FolderPath]\r\n"
    "RomDiskImage=\r\n"
    "Emulator=\r\n"
    "Icon=\r\n"
    "AlterEgo=\r\n"
    "opp2fix=0\r\n"
    "[KeyState]\r\n"
    "ScrlLk=0\r\n"
    "[FavoriteMenuName]\r\n"
    "0=\r\n"
    "1=\r\n"
    "2=\r\n"
    "3=\r\n"
    "4=\r\n"
    "5=\r\n"
    "6=\r\n"
    "7=\r\n"
    "8=\r\n"
    "9=\r\n";

TEST_F(SettingsFileTest, FirstSaveWritesEveryShutdownKeyInDocumentOrder) {
  EXPECT_EQ(saveAtShutdown(closedAt(87, 94), ini(), false), SaveResult::Saved);
  EXPECT_EQ(bytes(), kFirstSave);
}

TEST_F(SettingsFileTest, SavingTheLoadedValuesAgainChangesNothing) {
  ASSERT_EQ(saveAtShutdown(closedAt(87, 94), ini(), false), SaveResult::Saved);
  Settings loaded;
  for (ReadAt when : {ReadAt::Appearance, ReadAt::Startup, ReadAt::Build, ReadAt::FirstPaint})
    loadSettings(loaded, ini(), when);
  EXPECT_EQ(saveAtShutdown(loaded, ini(), false), SaveResult::Saved);
  EXPECT_EQ(bytes(), kFirstSave);
}

TEST_F(SettingsFileTest, DeclinedUpgradeWritesNothing) {
  EXPECT_EQ(saveAtShutdown(closedAt(1, 2), ini(), true), SaveResult::Refused);
  EXPECT_FALSE(test::readFile(path()));

  const std::string before = "[Window]\r\nWidth=1000\r\n; mine\r\n\r\n[Other]\r\nx=1\r\n";
  writeIni(before);
  EXPECT_EQ(saveAtShutdown(closedAt(1, 2), ini(), true), SaveResult::Refused);
  EXPECT_EQ(bytes(), before);
}

TEST_F(SettingsFileTest, ValuesComeBackInTheirOwnPhaseOnly) {
  Settings settings;
  settings.setNumber(Setting::WindowWidth, 1000);
  settings.setNumber(Setting::WindowMaximize, 1);
  settings.setNumber(Setting::ItemListColumnWidth, 222, 17);
  settings.setText(Setting::FavoriteMenuName, text::sjis("お気に入り"), 3);
  settings.setText(Setting::LastQuerySql1, "CREATE VIEW list_view AS SELECT 1;");
  settings.setNumber(Setting::MigemoListOn, 0);
  ASSERT_EQ(saveAtShutdown(settings, ini(), false), SaveResult::Saved);

  Settings loaded;
  loadSettings(loaded, ini(), ReadAt::Startup);
  EXPECT_EQ(loaded.number(Setting::WindowWidth), 1000);
  EXPECT_EQ(loaded.number(Setting::MigemoListOn), 0);
  EXPECT_EQ(loaded.text(Setting::FavoriteMenuName, 3), text::sjis("お気に入り"));
  EXPECT_EQ(loaded.number(Setting::WindowMaximize), 0);           // first paint
  EXPECT_EQ(loaded.number(Setting::ItemListColumnWidth, 17), 150);  // while built
  EXPECT_EQ(loaded.text(Setting::LastQuerySql1), "");

  loadSettings(loaded, ini(), ReadAt::Build);
  EXPECT_EQ(loaded.number(Setting::ItemListColumnWidth, 17), 222);
  loadSettings(loaded, ini(), ReadAt::FirstPaint);
  EXPECT_EQ(loaded.number(Setting::WindowMaximize), 1);
  EXPECT_EQ(loaded.text(Setting::LastQuerySql1), "CREATE VIEW list_view AS SELECT 1;");
}

TEST_F(SettingsFileTest, TextsLongerThanTheReaderTakesAreAbsent) {
  struct Case {
    Setting id;
    int index;
    std::size_t limit;
  };
  const Case cases[] = {
      {Setting::LastQuerySql1, 0, 8192},     {Setting::LastQueryPrimaryKey, 0, 260},
      {Setting::FavoriteMenuName, 9, 30},    {Setting::FolderEmulator, 0, 260},
      {Setting::InfoTitleFace, 0, 31},
  };
  for (const Case& c : cases) {
    const SettingDef& def = settingDef(c.id);
    SCOPED_TRACE(keyName(def, c.index));
    Settings settings;
    settings.setText(c.id, std::string(c.limit, 'a'), c.index);
    ASSERT_TRUE(writeValue(ini(), settings, c.id, c.index));
    EXPECT_EQ(readText(ini(), c.id, c.index), std::string(c.limit, 'a'));
    settings.setText(c.id, std::string(c.limit + 1, 'a'), c.index);
    ASSERT_TRUE(writeValue(ini(), settings, c.id, c.index));
    EXPECT_EQ(readText(ini(), c.id, c.index), defaultText(def));
  }
}

TEST_F(SettingsFileTest, ColumnWidthsBelowOneBecome150) {
  writeIni("[ItemList]\r\nclm01=0\r\nclm02=-20\r\nclm03=wide\r\nclm04=1\r\nclm05=\r\nclm06=333\r\n");
  Settings settings;
  loadSettings(settings, ini(), ReadAt::Build);
  const int expected[] = {150, 150, 150, 1, 150, 333};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(settings.number(Setting::ItemListColumnWidth, c), expected[c]) << c;
}

TEST_F(SettingsFileTest, DialogKeysAreReadAndWrittenBySectionOnly) {
  writeIni("[AddImgDir]\r\nSearchSubDir=1\r\nCountryMarks=(JP)\r\n[Window]\r\nWidth=999\r\n");
  Settings settings;
  loadDialogKeys(settings, ini(), "AddImgDir");
  EXPECT_EQ(settings.number(Setting::AddImgSearchSubDir), 1);
  EXPECT_EQ(settings.text(Setting::AddImgCountryMarks), "(JP)");
  EXPECT_EQ(settings.number(Setting::WindowWidth), 850);

  writeIni("");
  settings.setText(Setting::DetailUnitPrice3, text::sjis("円"));
  ASSERT_TRUE(saveDialogKeys(settings, ini(), "DetailUnit"));
  EXPECT_EQ(bytes(), "[DetailUnit]\r\nprice1=\\\r\nprice2=(\x90\xC5\x8D\x9E)\r\nprice3=\x89\x7E\r\n");
}

TEST_F(SettingsFileTest, RebarBandsTakeTheirOwnDefaults) {
  writeIni("[CoolBar_1]\r\nWidth=410\r\n");
  const BandSetting own{7001, 120, 0};
  const BandSetting first = loadBand(ini(), 0, own);
  EXPECT_EQ(first.id, 7001);
  EXPECT_EQ(first.width, 120);
  const BandSetting second = loadBand(ini(), 1, own);
  EXPECT_EQ(second.width, 410);

  writeIni("");
  ASSERT_TRUE(saveBand(ini(), 2, {7002, 300, 1}));
  EXPECT_EQ(bytes(), "[CoolBar_2]\r\nID=7002\r\nWidth=300\r\nBreak=1\r\n");
}

TEST(SettingsFonts, FontsGatherTheirFiveKeys) {
  Settings settings;
  const FontSpec title = fontSpec(settings, "InfoViewFont", "Title");
  EXPECT_EQ(title.face, text::sjis("ＭＳ Ｐゴシック"));
  EXPECT_EQ(title.height, -24);
  EXPECT_EQ(title.weight, 400);
  EXPECT_FALSE(title.italic);
  EXPECT_EQ(title.color, 0);
  const FontSpec mini = fontSpec(settings, "ItemListFont", "Mini");
  EXPECT_EQ(mini.height, -12);
  EXPECT_FALSE(mini.color);  // the section has no colour key for it
}

TEST(SettingsValues, FamilyIndexOutOfRangeReadsTheDefault) {
  Settings settings;
  settings.setNumber(Setting::ItemListColumnWidth, 99, 18);  // ignored
  EXPECT_EQ(settings.number(Setting::ItemListColumnWidth, 18), 150);
  EXPECT_EQ(settings.number(Setting::ItemListColumnWidth, -1), 150);
  EXPECT_EQ(settings.text(Setting::FavoriteMenuName, 10), "");
}

}  // namespace
}  // namespace qm

// Quillmoor2.ini as the settings leave it: the bytes of a first save, round
// trips by reading phase, the declined upgrade and the readers' limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

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
// order the program writes them. Families follow their rule: the first seven
// columns shown, columns in index order, every width 150, ten empty favourite
// names.
std::string firstSave() {
  std::string ini;
  // `keys` is "name=value" items separated by blanks (no value holds one).
  auto section = [&ini](const char* name, std::string_view keys) {
    ini += std::string("[") + name + "]\r\n";
    for (std::size_t at = 0; at < keys.size();) {
      const std::size_t end = std::min(keys.find(' ', at), keys.size());
      ini += std::string(keys.substr(at, end - at)) + "\r\n";
      at = end + 1;
    }
  };
  auto family = [&ini](const std::string& prefix, int count, auto value) {
    for (int n = 1; n <= count; ++n)
      ini += prefix + (n < 10 ? "0" : "") + std::to_string(n) + "=" + std::to_string(value(n)) + "\r\n";
  };
  section("Window",
          "SeparateX=170 SeparateY=260 SeparateClose=0 SeparateYtmp=20 PositionX=87 PositionY=94 Width=850 "
          "Height=580 Maximize=0 MaxPosX=-1 MaxPosY=-1");
  section("ItemList", "noCursorAdulation=0 yomiSort=0");
  family("clm_disp", 18, [](int n) { return n <= 7 ? 1 : 0; });
  family("clm_sort", 18, [](int n) { return n - 1; });
  family("clm", 18, [](int) { return 150; });
  section("Migemo",
          "FuzzyOn=1 FuzzyLap=0 FuzzyClassLimit=12 SearchOn=1 SearchClassLimit=0 InclOn=1 InclClassLimit=12 ListOn=1");
  section("EditUICheckBoxs", "YomiCnvMode=0 DakuonToSeion=0 YomiSpcRmv=1 YomiMrkRmv=1 YomiRmaCnv=1");
  section("MemoWindow", "PositionX=-1 PositionY=-1 Width=320 Height=320");
  section("SnapWindow",
          "PositionX=100 PositionY=100 Width=580 Height=460 Maximize=1 LoadNum=1 TransMode=0 Active=0 SnapPoint=0");
  section("QueryTree", "IconSize=16");
  section("SnapShot", "VistaSize=0 Width=320 TrackX=0 Proportion=0 Blackly=0");
  for (int n = 0; n < 8; ++n) ini += "FindMode" + std::to_string(n) + "=" + (n >= 1 && n <= 4 ? "1" : "0") + "\r\n";
  for (int n = 0; n < 8; ++n) ini += "FindOrder" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
  ini += "ExtPicToSnap=0\r\nCRC32Name=0\r\nCaptureResultMonitor=0\r\nCaptureResultPositon=0\r\nTransform=0\r\n"
         "TransformRatio=150\r\nInterpolationMode=0\r\nAutoTowShots=0\r\n";
  section("LastQuery", "SQL1= SQL3= PrimaryKey= SortColumn=0 SortOrder=1");
  section("FolderPath", "RomDiskImage= Emulator= Icon= AlterEgo= opp2fix=0");
  section("KeyState", "ScrlLk=0");
  section("FavoriteMenuName", "");
  for (int n = 0; n < 10; ++n) ini += std::to_string(n) + "=\r\n";
  return ini;
}

TEST_F(SettingsFileTest, FirstSaveWritesEveryShutdownKeyInDocumentOrder) {
  EXPECT_EQ(saveAtShutdown(closedAt(87, 94), ini(), false), SaveResult::Saved);
  EXPECT_EQ(bytes(), firstSave());
}

TEST_F(SettingsFileTest, SavingTheLoadedValuesAgainChangesNothing) {
  ASSERT_EQ(saveAtShutdown(closedAt(87, 94), ini(), false), SaveResult::Saved);
  Settings loaded;
  for (ReadAt when : {ReadAt::Appearance, ReadAt::Startup, ReadAt::Build, ReadAt::FirstPaint})
    loadSettings(loaded, ini(), when);
  EXPECT_EQ(saveAtShutdown(loaded, ini(), false), SaveResult::Saved);
  EXPECT_EQ(bytes(), firstSave());
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

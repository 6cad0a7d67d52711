// The catalogue as data: keys, defaults and their bytes as program text.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/shell/settings_catalogue.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::shell {
namespace {

TEST(SettingsCatalogue, KeysAreUniqueWithinTheirSection) {
  std::set<std::string> seen;
  for (const SettingDef& def : settingsCatalogue()) {
    const int members = def.count == kPerBand ? 1 : def.count;
    for (int i = 0; i < members; ++i) {
      const std::string name = sjis::toLowerAscii(std::string(def.section) + "|" + keyName(def, i));
      EXPECT_TRUE(seen.insert(name).second) << name;
    }
  }
}

TEST(SettingsCatalogue, EverySectionWrittenAtShutdownHasItsPlaceInTheOrder) {
  std::set<std::string> ordered;
  for (const char* section : shutdownSectionOrder()) ordered.insert(section);
  for (const SettingDef& def : settingsCatalogue()) {
    if (def.write == WriteAt::Shutdown) {
      EXPECT_TRUE(ordered.count(def.section)) << def.section << " " << def.key;
    }
  }
}

TEST(SettingsCatalogue, NumberedKeysAreSpelledAsTheFileHasThem) {
  struct Case {
    Setting id;
    int index;
    const char* key;
  };
  const Case cases[] = {
      {Setting::ItemListColumnWidth, 0, "clm01"},     {Setting::ItemListColumnWidth, 17, "clm18"},
      {Setting::ItemListColumnShown, 8, "clm_disp09"}, {Setting::ItemListColumnPosition, 9, "clm_sort10"},
      {Setting::SnapShotFindMode, 7, "FindMode7"},    {Setting::SnapShotFindOrder, 0, "FindOrder0"},
      {Setting::GroupSelectTab, 4, "Tab4"},           {Setting::FavoriteMenuName, 0, "0"},
      {Setting::FavoriteMenuName, 9, "9"},            {Setting::WindowMaxPosY, 0, "MaxPosY"},
  };
  for (const Case& c : cases) EXPECT_EQ(keyName(settingDef(c.id), c.index), c.key);
}

TEST(SettingsCatalogue, DefaultsOfTheDocumentedKeys) {
  struct Case {
    const char* section;
    const char* key;
    int index;
    int value;
  };
  const Case cases[] = {
      {"Window", "Width", 0, 850},          {"Window", "Height", 0, 580},
      {"Window", "SeparateX", 0, 170},      {"Window", "SeparateYtmp", 0, 20},
      {"Window", "Maximize", 0, 0},         {"Migemo", "FuzzyClassLimit", 0, 12},
      {"Migemo", "SearchClassLimit", 0, 0}, {"EditUICheckBoxs", "YomiSpcRmv", 0, 1},
      {"MemoWindow", "PositionX", 0, -1},   {"SnapWindow", "Maximize", 0, 1},
      {"SnapShot", "TransformRatio", 0, 150}, {"LastQuery", "SortOrder", 0, 1},
      {"etcSetting", "DLLSafeLoad", 0, 1},  {"Dialogs", "EmuConfDlgW", 0, 568},
      {"InfoViewFont", "TitleHeight", 0, -24}, {"ItemListFont", "EmusetColor", 0, 10526880},
      {"ItemListColor", "DispEmuSetName", 0, -1}, {"MemoFont", "Height", 0, 200},
      {"GroupListColor", "GradStartColor", 0, 13158600},
  };
  for (const Case& c : cases) {
    auto id = findSetting(c.section, c.key);
    ASSERT_TRUE(id) << c.section << " " << c.key;
    EXPECT_EQ(defaultNumber(settingDef(*id), c.index), c.value) << c.section << " " << c.key;
  }
  const int findMode[] = {0, 1, 1, 1, 1, 0, 0, 0};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(defaultNumber(settingDef(Setting::SnapShotFindMode), i), findMode[i]);
    EXPECT_EQ(defaultNumber(settingDef(Setting::SnapShotFindOrder), i), i);
  }
  for (int c = 0; c < 18; ++c) {
    EXPECT_EQ(defaultNumber(settingDef(Setting::ItemListColumnShown), c), c < 7 ? 1 : 0);
    EXPECT_EQ(defaultNumber(settingDef(Setting::ItemListColumnPosition), c), c);
    EXPECT_EQ(defaultNumber(settingDef(Setting::ItemListColumnWidth), c), 150);
  }
}

TEST(SettingsCatalogue, TextDefaultsAreExactShiftJisBytes) {
  // Each Japanese default must survive code page 932 unchanged.
  for (const SettingDef& def : settingsCatalogue()) {
    if (def.kind == ValueKind::Text) {
      EXPECT_EQ(text::sjisToUtf8(defaultText(def)), def.text) << def.key;
    }
  }
  EXPECT_EQ(defaultText(settingDef(Setting::DetailUnitPrice1)), "\x5C");
  EXPECT_EQ(defaultText(settingDef(Setting::DetailUnitPrice2)), "(\x90\xC5\x8D\x9E)");
  EXPECT_EQ(defaultText(settingDef(Setting::InfoTitleFace)), "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
  // Backslash-q stands for the double quote; the 0x5C before "@" is the yen
  // sign; half-width katakana are single bytes.
  const std::string han = defaultText(settingDef(Setting::YomiRemoveHanChar));
  EXPECT_EQ(han.substr(0, 12), "\x5Cq!#$%&'()=|");
  EXPECT_EQ(han.substr(12, 4), "\x5C@\xA2\xA3");
  EXPECT_EQ(han.size(), 36u);
}

TEST(SettingsCatalogue, ReadersLimitsAreTheDocumentedOnes) {
  EXPECT_EQ(settingDef(Setting::LastQuerySql1).maxBytes, 8192u);
  EXPECT_EQ(settingDef(Setting::LastQuerySql3).maxBytes, 8192u);
  EXPECT_EQ(settingDef(Setting::LastQueryPrimaryKey).maxBytes, 260u);
  EXPECT_EQ(settingDef(Setting::FavoriteMenuName).maxBytes, 30u);
  EXPECT_EQ(settingDef(Setting::FolderRomDiskImage).maxBytes, 260u);
}

}  // namespace
}  // namespace qm::shell

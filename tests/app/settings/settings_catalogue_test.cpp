// The catalogue as data: keys, defaults and their bytes as program text.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/settings/settings_catalogue.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm {
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

// Keys that a first save does not write (settings_io_test.cpp has those).
TEST(SettingsCatalogue, DefaultsOfKeysReadAtStartOrByDialogs) {
  struct Case {
    const char* section;
    const char* key;
    int value;
  };
  const Case cases[] = {
      {"etcSetting", "DLLSafeLoad", 1},          {"etcSetting", "SearchFontHeight", 0},
      {"Dialogs", "EmuConfDlgW", 568},           {"Dialogs", "EmuConfDlgH", 345},
      {"EditUICheckBoxs", "MakerIncrSrch", 1},   {"EditUICheckBoxs", "TitleToKana", 0},
      {"AddImgDir", "CalcCRC16", 0},             {"AddImgDir", "AutoArcGroup", 1},
      {"InfoViewFont", "TitleHeight", -24},      {"InfoViewFont", "MiniWeight", 700},
      {"ItemListFont", "EmusetColor", 10526880}, {"ItemListColor", "Line2Color", 15132390},
      {"ItemListColor", "DispEmuSetName", -1},   {"GroupListColor", "GradStartColor", 13158600},
      {"MemoFont", "Height", 200},               {"MemoFont", "TabStop", 16},
      {"QueryTree", "IconSize", 16},             {"Migemo", "SearchClassLimit", 0},
  };
  for (const Case& c : cases) {
    auto id = findSetting(c.section, c.key);
    ASSERT_TRUE(id) << c.section << " " << c.key;
    EXPECT_EQ(defaultNumber(settingDef(*id)), c.value) << c.section << " " << c.key;
  }
  EXPECT_FALSE(findSetting("Window", "NoSuchKey"));
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

}  // namespace
}  // namespace qm

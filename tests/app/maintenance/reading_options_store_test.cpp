// The reading options kept in the main window's settings: the same defaults
// as the converter's, and written at exit under the keys the command-line
// tool reads back.
#include "app/maintenance/reading_options_store.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace qm::maintenance {
namespace {

TEST(ReadingOptionsStore, SettingsDefaultsAreTheReadingDefaults) {
  const text::ReadingOptions fromSettings = readingOptions(Settings(), false);
  const text::ReadingOptions defaults;
  EXPECT_EQ(fromSettings.kanaMode, defaults.kanaMode);
  EXPECT_EQ(fromSettings.unvoiced, defaults.unvoiced);
  EXPECT_EQ(fromSettings.spaceRule, defaults.spaceRule);
  EXPECT_EQ(fromSettings.removeSymbols, defaults.removeSymbols);
  EXPECT_EQ(fromSettings.romanNumerals, defaults.romanNumerals);
  EXPECT_FALSE(fromSettings.userMap);
}

TEST(ReadingOptionsStore, StoredOptionsAreWrittenAtExitUnderTheReadingKeys) {
  test::TempFolder folder;
  const platform::IniFile ini(folder.file("Quillmoor2.ini"));
  text::ReadingOptions changed;
  changed.kanaMode = text::kToKatakana;
  changed.unvoiced = true;
  changed.spaceRule = text::kSpacesToHalfWidth;
  changed.removeSymbols = false;
  changed.romanNumerals = false;
  changed.userMap = true;
  Settings settings;
  storeReadingOptions(settings, changed);
  ASSERT_EQ(saveAtShutdown(settings, ini, false), SaveResult::Saved);

  const text::ReadingOptions read = text::loadReadingOptions(ini);
  EXPECT_EQ(read.kanaMode, text::kToKatakana);
  EXPECT_TRUE(read.unvoiced);
  EXPECT_EQ(read.spaceRule, text::kSpacesToHalfWidth);
  EXPECT_FALSE(read.removeSymbols);
  EXPECT_FALSE(read.romanNumerals);
  EXPECT_FALSE(read.userMap) << "the user map starts off at every start";
  EXPECT_TRUE(readingOptions(settings, true).userMap);
}

}  // namespace
}  // namespace qm::maintenance

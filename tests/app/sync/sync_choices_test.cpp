#include "app/sync/sync_choices.h"

#include <gtest/gtest.h>

namespace {

TEST(SyncChoices, NewFilesComeInWithTheImageAddDialogsChoices) {
  qm::registration::StoredChoices stored;
  stored.searchSubfolders = true;
  stored.searchArchives = true;
  stored.countries = "(J);(U)";
  stored.countryFromPath = false;
  stored.archiveSets = false;
  stored.folderSets = true;
  stored.crc16 = true;
  const std::string longFolder(300, 'f');  // longer than the worker's text takes
  const auto request = qm::sync::registrationFromStored(stored, longFolder, "MSX");
  EXPECT_EQ(request.path, longFolder);
  EXPECT_EQ(request.machine, "MSX");
  EXPECT_EQ(request.countries, "(J);(U)");
  const auto& s = request.settings;
  EXPECT_TRUE(s.searchSubfolders && s.searchArchives && s.folderSets && s.crc32 && s.crc16);
  EXPECT_FALSE(s.countryFromPath || s.archiveSets || s.overwrite || s.keepFavourites || s.adult);
  EXPECT_TRUE(s.defaultCountry && s.stripCountryBrackets && s.archiveSetTitles);
  EXPECT_EQ(s.titleMode, 0);
  EXPECT_EQ(request.window.offset, 0u);
  EXPECT_EQ(request.window.length, 0u);
}

}  // namespace

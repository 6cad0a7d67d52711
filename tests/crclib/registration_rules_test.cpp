// The texts a registration derives from file and folder names, case by case.
// Japanese names carry trail bytes that read as "[" ("ー" 81 5B), "\" ("ソ" 83 5C,
// "表" 95 5C) and "|" ("ポ" 83 7C): none of them may count as a mark.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "crclib/registration_rules.h"

namespace qm::reg::test {
namespace {

using text::sjis;

struct DeriveCase {
  const char* label;
  const char* folder;  // UTF-8; the file's parent folder
  const char* file;    // UTF-8
  std::function<void(RegistrationSettings&)> choose;
  const char* countries;
  const char* title;
  const char* version;
  const char* maker;
  const char* country;
  const char* saleYear;
};

std::string pathOf(const char* folder, const char* file) {
  return platform::joinPath(platform::joinPath(sjis("ROOT"), sjis(folder)), sjis(file));
}

TEST(RegistrationRules, DerivedTextsOfImageFiles) {
  const DeriveCase cases[] = {
      {"title mode 0 keeps the file title", "PC88", "Game (Disk 1).d88", [](auto& s) { s.titleMode = 0; }, "",
       "Game (Disk 1)", "", "", "", "1985"},
      {"mode 1 cuts before ( and [", "PC88", "Game [a] (Disk 1).d88", [](auto& s) { s.titleMode = 1; }, "", "Game",
       "", "", "", "1985"},
      // An empty title would stick: the file title stands in for it.
      {"mode 2 would leave nothing of 1942 (J)", "PC88", "1942 (J).nes", [](auto& s) { s.titleMode = 2; }, "",
       "1942 (J)", "", "", "", "1985"},
      {"mode 2 would leave nothing of - (J)", "PC88", "- (J).nes", [](auto& s) { s.titleMode = 2; }, "", "- (J)", "",
       "", "", "1985"},
      {"mode 1 would leave only blanks", "PC88", " (J).nes", [](auto& s) { s.titleMode = 1; }, "", " (J)", "", "",
       "", "1985"},
      {"mode 2 strips leading digits and symbols", "PC88", "01 - Ys [b].d88", [](auto& s) { s.titleMode = 2; }, "",
       "Ys", "", "", "", "1985"},
      {"a mark at the first character is not cut", "PC88", "(J) Game.d88", [](auto& s) { s.titleMode = 1; }, "",
       "(J) Game", "", "", "", "1985"},
      {"trail bytes [ and \\ are no marks", "表", "ソーサリアン (J).d88",
       [](auto& s) {
         s.titleMode = 1;
         s.versionMode = 1;
         s.makerMode = 1;
       },
       "", "ソーサリアン", "(J)", "表", "", "1985"},
      {"trail byte | and a real [", "ポ", "ポポロ[b].d88",
       [](auto& s) {
         s.titleMode = 4;
         s.versionMode = 1;
       },
       "", "ポ", "[b]", "", "", "1985"},
      {"mode 3 is the parent folder", "ゲーム (1986)", "disk.d88",
       [](auto& s) {
         s.titleMode = 3;
         s.versionMode = 3;
       },
       "", "ゲーム (1986)", "(1986)", "", "", "1985"},
      {"mode 4 cuts the parent folder", "ゲーム (1986)", "disk.d88", [](auto& s) { s.titleMode = 4; }, "", "ゲーム",
       "", "", "", "1985"},
      {"version from the earlier bracket", "PC88", "Game [a](J).d88", [](auto& s) { s.versionMode = 1; }, "",
       "Game [a](J)", "[a](J)", "", "", "1985"},
      {"version mode 2 drops country and year", "PC88", "Game (Rev A)(J)(1987).d88",
       [](auto& s) { s.versionMode = 2; }, ";;(J);(US);", "Game (Rev A)(J)(1987)", "(Rev A)", "", "",
       "1985"},
      {"version mode 2 empties a bare []", "PC88", "Game [j].d88", [](auto& s) { s.versionMode = 2; }, "J",
       "Game [j]", "", "", "", "1985"},
      {"country found in the path, brackets stripped", "PC88", "Game (J).nes",
       [](auto& s) {
         s.countryFromPath = s.defaultCountry = s.stripCountryBrackets = true;
       },
       "(JP);[JP];(J)", "Game (J)", "", "", "J", "1985"},
      {"country not found: the first entry", "PC88", "Game.nes",
       [](auto& s) { s.countryFromPath = s.defaultCountry = true; }, "[JP];(J)", "Game", "", "", "[JP]", "1985"},
      {"country not found and no default", "PC88", "Game.nes", [](auto& s) { s.countryFromPath = true; }, "[JP];(J)",
       "Game", "", "", "", "1985"},
      {"the whole list is the country", "PC88", "Game.nes", [](auto& s) { s.defaultCountry = true; }, "[JP];(J)",
       "Game", "", "", "[JP];(J)", "1985"},
      {"a ] that is a trail byte is not stripped", "PC88", "Game.nes",
       [](auto& s) { s.defaultCountry = s.stripCountryBrackets = true; }, "[日本‐", "Game", "", "", "[日本‐",
       "1985"},
      {"the smallest year of the range", "PC88", "Game (1992)(1987).nes", [](auto& s) { s.yearFromPath = true; },
       "", "Game (1992)(1987)", "", "", "", "1987-00-00"},
      {"2018 contains 18 and gives no year", "PC88", "Game 2018.nes", [](auto& s) { s.yearFromPath = true; }, "",
       "Game 2018", "", "", "", "0"},
      {"trailing blanks go", "PC88", "Game   (J).d88", [](auto& s) { s.titleMode = 1; }, "", "Game", "", "", "",
       "1985"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    RegistrationSettings settings;
    c.choose(settings);
    RegistrationRequest request;
    request.settings = settings;
    request.countries = sjis(c.countries);
    const DerivedTexts row = deriveForFile(settings, pathOf(c.folder, c.file), prepareCountries(request), "1985");
    EXPECT_EQ(text::sjisToUtf8(row.title), c.title);
    EXPECT_EQ(text::sjisToUtf8(row.version), c.version);
    EXPECT_EQ(text::sjisToUtf8(row.maker), c.maker);
    EXPECT_EQ(text::sjisToUtf8(row.country), c.country);
    EXPECT_EQ(text::sjisToUtf8(row.saleYear), c.saleYear);
  }
}

TEST(RegistrationRules, ArchiveMembersTakeTheArchivesNames) {
  const std::string archive = pathOf("表", "ソーサリアン (1987)[a].zip");
  const std::string key = archive + "*" + sjis("disk/ソフト (J).d88");
  struct Case {
    int titleMode, versionMode;
    const char* suffix;
    const char* title;
    const char* version;
  } cases[] = {
      {0, 0, "", "ソーサリアン (1987)[a]", ""},
      {1, 1, "", "ソーサリアン", "(1987)[a]"},
      {4, 3, "", "ソーサリアン", "(1987)[a]"},
      {3, 0, " [zip]---[ソフト (J)]", "表 [zip]---[ソフト (J)]", ""},
  };
  for (const auto& c : cases) {
    RegistrationSettings settings;
    settings.titleMode = c.titleMode;
    settings.versionMode = c.versionMode;
    settings.yearFromPath = settings.countryFromPath = true;
    // The member's key is searched for country and year, not the archive's path.
    const auto row = deriveForMember(settings, archive, key, sjis("(J);"), "", sjis(c.suffix));
    EXPECT_EQ(text::sjisToUtf8(row.title), c.title) << c.titleMode;
    EXPECT_EQ(text::sjisToUtf8(row.version), c.version) << c.versionMode;
    EXPECT_EQ(row.country, "(J)");
    EXPECT_EQ(row.saleYear, "1987-00-00");
  }
  // An archive whose title mode leaves nothing keeps its file title, suffix and all.
  RegistrationSettings strip;
  strip.titleMode = 2;
  const std::string numbered = pathOf("PC88", "1942 (J).zip");
  EXPECT_EQ(deriveForMember(strip, numbered, numbered + "*a.d88", "", "", " [zip]---[a]").title,
            "1942 (J) [zip]---[a]");
}

TEST(RegistrationRules, NamesExtensionsAndYears) {
  EXPECT_EQ(fileTitleOf("a.b.d88"), "a.b");
  EXPECT_EQ(extensionOf("a.b.d88"), "d88");
  EXPECT_EQ(fileTitleOf("name."), "name.");
  EXPECT_EQ(extensionOf("name."), "");
  EXPECT_EQ(extensionOf("noext"), "");
  EXPECT_EQ(text::sjisToUtf8(memberTitleOf(sjis("表\\ソ/Game (Disk 1).d88"))), "Game (Disk 1)");
  EXPECT_EQ(text::sjisToUtf8(memberTitleOf(sjis("表.d88"))), "表");
  EXPECT_EQ(memberExtensionOf(sjis("disk.v2/image.D88")), "D88");
  // Machine lists as the database holds them: ".D88;.2D" with ";" appended.
  EXPECT_TRUE(extensionListed("d88", ".D88;.2D;"));
  EXPECT_TRUE(extensionListed("2d", ".D88;.2D;"));
  EXPECT_FALSE(extensionListed("d8", ".D88;.2D;"));
  EXPECT_TRUE(extensionListed("", ".D88;"));
  EXPECT_EQ(findYear("abc"), std::nullopt);
  EXPECT_EQ(findYear("1987"), std::nullopt);  // the first two characters are never searched
  EXPECT_EQ(findYear("xx1987"), 1987);
  EXPECT_EQ(findYear("x 1839 1901"), std::nullopt);  // "18" decides the range
  EXPECT_EQ(findYear("x 2061 2060"), 2060);
  EXPECT_EQ(findYear(sjis("表1899")), std::nullopt);  // two characters skipped, three bytes
  EXPECT_EQ(findYear(sjis("表x1899")), 1899);
  EXPECT_EQ(normalizeCountryList(";;a;;b;;"), "a;;b;");
  EXPECT_EQ(normalizeCountryList(";;;"), ";");
  EXPECT_EQ(normalizeCountryList(""), "");
}

}  // namespace
}  // namespace qm::reg::test

// Quillmoor2_Web.ini and the URLs made from it: the file's numbering after
// removal and moves, URL encoding of Shift-JIS titles as UTF-8 bytes, the
// one-pass expansion and the checks of the settings dialog.
#include <gtest/gtest.h>

#include <string>

#include "app/web/web_sites.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::web {
namespace {

using text::sjis;

TEST(WebSiteFile, ReadingStopsAtTheFirstGap) {
  test::TempFolder folder;
  platform::IniFile ini(folder.file(kWebFileName));
  ASSERT_TRUE(test::writeFile(ini.path(),
                              "[SiteName]\r\n1=A\r\n2=B\r\n3=\r\n4=D\r\n[SiteURL]\r\n1=http://a/\r\n2=http://b/\r\n"
                              "3=http://c/\r\n4=http://d/\r\n"));
  const std::vector<Site> sites = loadSites(ini);
  ASSERT_EQ(sites.size(), 2u);
  EXPECT_EQ(sites[1].name, "B");
  EXPECT_EQ(sites[1].url, "http://b/");
  EXPECT_TRUE(loadSites(platform::IniFile(folder.file("none.ini"))).empty());
}

TEST(WebSiteFile, RemovingSiteTwoOfThreeRenumbersTheThird) {
  test::TempFolder folder;
  platform::IniFile ini(folder.file(kWebFileName));
  std::vector<Site> sites{{"A", "http://a/"}, {sjis("ビー"), "http://b/"}, {"C", "https://c/?q=%title"}};
  ASSERT_TRUE(saveSites(ini, sites, 0));
  removeSite(sites, 1);
  ASSERT_TRUE(saveSites(ini, sites, 3));
  EXPECT_EQ(test::readFile(ini.path()).value_or(""),
            "[SiteName]\r\n1=A\r\n2=C\r\n[SiteURL]\r\n1=http://a/\r\n2=https://c/?q=%title\r\n");
  ASSERT_EQ(loadSites(ini).size(), 2u);
}

TEST(WebSiteFile, MovesSwapWithTheNeighbourAndStopAtTheEnds) {
  std::vector<Site> sites{{"A", "http://a/"}, {"B", "http://b/"}, {"C", "http://c/"}};
  EXPECT_FALSE(moveSite(sites, 0, true));
  EXPECT_FALSE(moveSite(sites, 2, false));
  EXPECT_FALSE(moveSite(sites, 3, true));
  EXPECT_TRUE(moveSite(sites, 2, true));
  EXPECT_TRUE(moveSite(sites, 0, false));
  std::string order;
  for (const Site& site : sites) order += site.name + site.url.substr(7, 1);
  EXPECT_EQ(order, "CcAaBb");
}

TEST(WebSiteUrl, EncodingWritesTwoDigitsForEveryByte) {
  EXPECT_EQ(urlEncode("AZaz09'.-*()_"), "AZaz09'.-*()_");
  EXPECT_EQ(urlEncode("a b\tc\n/&?=%~+"), "a%20b%09c%0A%2F%26%3F%3D%25%7E%2B");
  EXPECT_EQ(urlEncode(std::string("\x00\x01\x7F\xFF", 4)), "%00%01%7F%FF");
  EXPECT_EQ(urlEncode("ドラゴン"), "%E3%83%89%E3%83%A9%E3%82%B4%E3%83%B3");
}

TEST(WebSiteUrl, ExpansionFillsEachPlaceholderOnce) {
  const ItemValues item{sjis("ＰＣ－９８０１"), sjis("ドラゴン 1"), "$maker%title", "Dev&Co"};
  struct Case {
    const char* urlTemplate;
    std::string expected;
  };
  const Case cases[] = {
      {"https://s/?q=%title", "https://s/?q=%E3%83%89%E3%83%A9%E3%82%B4%E3%83%B3%201"},
      {"http://s/$title/$developer", "http://s/" + sjis("ドラゴン 1") + "/Dev&Co"},
      // A value holding a placeholder is not expanded again.
      {"http://s/$maker/", "http://s/$maker%title/"},
      {"http://s/%maker", "http://s/%24maker%25title"},
      {"http://s/%developer+$machine", "http://s/Dev%26Co+" + sjis("ＰＣ－９８０１")},
      {"http://s/%machine", "http://s/%EF%BC%B0%EF%BC%A3%EF%BC%8D%EF%BC%99%EF%BC%98%EF%BC%90%EF%BC%91"},
      {"http://s/$makers%titles%%$", "http://s/$maker%title" "s%E3%83%89%E3%83%A9%E3%82%B4%E3%83%B3%201s%%$"},
      {"http://s/%20$unknown", "http://s/%20$unknown"},
  };
  for (const Case& c : cases) EXPECT_EQ(expandTemplate(c.urlTemplate, item), c.expected) << c.urlTemplate;
}

TEST(WebSiteUrl, OnlyHttpAndHttpsAreOpened) {
  const ItemValues item{"M", "T", "K", "D"};
  EXPECT_FALSE(siteUrl({"a", "HTTP://x/$title"}, item).refusal);
  EXPECT_FALSE(siteUrl({"a", "hTtPs:x"}, item).refusal);
  EXPECT_EQ(siteUrl({"a", "$titlehttp://"}, item).url, "Thttp://");
  const SiteUrl refused = siteUrl({"a", "ftp://x/%title"}, item);
  ASSERT_TRUE(refused.refusal);
  EXPECT_EQ(*refused.refusal, sjis("http(s):以外は未対応です。\n\"ftp://x/T\""));
  EXPECT_TRUE(siteUrl({"a", "http"}, item).refusal);
}

TEST(WebSiteDialog, AddChecksNameUrlAndRoom) {
  std::vector<Site> sites(98, Site{"s", "http://s/"});
  EXPECT_EQ(addProblem(sites, {"", "http://x/"}), sjis("名前またはURLの指定がありません"));
  EXPECT_EQ(addProblem(sites, {"x", ""}), sjis("名前またはURLの指定がありません"));
  EXPECT_EQ(addProblem(sites, {"x", "www.x.jp"}), sjis("http: または https: で始まるURLを指定して下さい"));
  EXPECT_FALSE(addProblem(sites, {"x", "https://x/"}));  // number 99
  sites.push_back({"s", "http://s/"});
  EXPECT_EQ(addProblem(sites, {"x", "https://x/"}), sjis("これ以上登録できません"));
  EXPECT_EQ(listLine({"Name", "http://n/"}), "Name  :  http://n/");
}

TEST(WebSiteCommand, SiteNumbersOfCommands) {
  EXPECT_FALSE(siteOfCommand(1500));
  EXPECT_EQ(siteOfCommand(1501), 1u);
  EXPECT_EQ(siteOfCommand(1599), 99u);
  EXPECT_FALSE(siteOfCommand(1600));
}

class WebSiteLibraryTest : public search::test::LibraryTest {};

TEST_F(WebSiteLibraryTest, ItemValuesComeFromTheLibraryRow) {
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, developer) VALUES "
      "('C:\\roms\\it''s.d88', 'it''s', '.d88', 'PC-8801', '" + sjis("ザ・タイトル") + "', 'Maker', 'Dev');");
  db::DbConnection db;
  db.open(dbPath());
  const auto values = itemValues(db, "C:\\roms\\it's.d88");
  ASSERT_TRUE(values);
  EXPECT_EQ(values->machine, "PC-8801");
  EXPECT_EQ(values->title, sjis("ザ・タイトル"));
  EXPECT_EQ(values->maker, "Maker");
  EXPECT_EQ(values->developer, "Dev");
  EXPECT_FALSE(itemValues(db, "C:\\roms\\none.d88"));
}

}  // namespace
}  // namespace qm::web

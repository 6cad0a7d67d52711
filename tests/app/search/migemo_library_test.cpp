// Romaji to kana and kanji through the real library and dictionary, as the
// search uses them, and a library that is not there.
#include <gtest/gtest.h>

#include <string>

#include "app/search/item_list.h"
#include "app/search/migemo_library.h"
#include "app/search/search_library.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

using text::sjis;

// The tests start in the folder of the programs, where the build put dict/.
std::string programFolder() { return platform::currentFolder(); }

TEST(MigemoLibrary, AMissingLibraryOrDictionaryEnablesNothing) {
  MigemoLibrary none;
  EXPECT_FALSE(none.open(platform::joinPath(programFolder(), "no-such-migemo.dll"), migemoDictionaryPath(programFolder())));
  EXPECT_FALSE(none.enabled());
  EXPECT_FALSE(none.query("doragon"));
  MigemoLibrary noDictionary;
  noDictionary.open(migemoLibraryPath(programFolder()), platform::joinPath(programFolder(), "no-dict"));
  EXPECT_FALSE(noDictionary.enabled());
}

TEST(MigemoLibrary, RomajiBecomesKanaAndKanjiInCodePage932) {
  MigemoLibrary migemo;
  ASSERT_TRUE(migemo.open(migemoLibraryPath(programFolder()), migemoDictionaryPath(programFolder()))) << migemo.error();
  ASSERT_TRUE(migemo.enabled());
  const std::string pattern = migemo.query("doragon").value_or("");
  // The pattern is a trie of spellings: "ドラゴ" followed by its endings.
  EXPECT_NE(pattern.find(sjis("ドラゴ")), std::string::npos) << text::sjisToUtf8(pattern);
  EXPECT_NE(pattern.find(sjis("どらご")), std::string::npos) << text::sjisToUtf8(pattern);
  const std::string umi = migemo.query("umi").value_or("");
  EXPECT_NE(umi.find(sjis("海")), std::string::npos) << text::sjisToUtf8(umi);
  EXPECT_EQ(umi.find('?'), std::string::npos);
}

class MigemoSearchTest : public LibraryTest {};

TEST_F(MigemoSearchTest, ARomajiWordFindsTitlesInKatakanaAndKanji) {
  run(sjis("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply) VALUES "
           "('d1','d','.x','m','ドラゴンスレイヤー',0),('d2','d','.x','m','どらごん',0);"));
  MigemoLibrary migemo;
  ASSERT_TRUE(migemo.open(migemoLibraryPath(programFolder()), migemoDictionaryPath(programFolder())));
  ItemList items(list, checker, sink);
  ASSERT_TRUE(items.recreateView());
  SearchRequest request;
  request.mode = kTitleMode;
  SearchSettings settings;
  auto titles = [&] {
    std::string all;
    for (int i = 0; i < items.rowCount(); ++i) all += text::sjisToUtf8(items.cell(i, 2)) + "|";
    return all;
  };
  request.text = "doragon";
  ASSERT_EQ(searchLibrary(items, request, settings, &migemo, sink).result, 1);
  EXPECT_EQ(titles(), "どらごん|ドラゴンスレイヤー|");
  request.text = "umi";
  ASSERT_EQ(searchLibrary(items, request, settings, &migemo, sink).result, 1);
  EXPECT_EQ(titles(), "海の伝説|");
  request.text = "kiri";
  request.mode = kFuzzyMode;
  ASSERT_EQ(searchLibrary(items, request, settings, &migemo, sink).result, 1);
  EXPECT_EQ(titles(), "霧の館|");
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
}  // namespace qm::search::test

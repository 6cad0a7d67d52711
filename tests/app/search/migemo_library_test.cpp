// Romaji to kana and kanji through the real library and dictionary, as the
// search uses them, and a library that is not there.
#include <gtest/gtest.h>

#include <string>

#include "app/item_list/item_list.h"
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

// The real library over a library with `rows` added, its list filled.
class MigemoSearchTest : public LibraryTest {
protected:
  void open(const char* rows) {
    run(sjis(std::string("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply) VALUES ") +
             rows + ";"));
    ASSERT_TRUE(migemo.open(migemoLibraryPath(programFolder()), migemoDictionaryPath(programFolder())));
    ASSERT_TRUE(items.recreateView());
  }
  std::string titles() {
    std::string all;
    for (int i = 0; i < items.rowCount(); ++i) all += text::sjisToUtf8(items.cell(i, 2)) + "|";
    return all;
  }

  MigemoLibrary migemo;
  ItemList items{list, checker, sink};
};

TEST_F(MigemoSearchTest, ARomajiWordFindsTitlesInKatakanaAndKanji) {
  open("('d1','d','.x','m','ドラゴンスレイヤー',0),('d2','d','.x','m','どらごん',0)");
  SearchRequest request;
  request.mode = kTitleMode;
  SearchSettings settings;
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

// What the user typed stays text in the romaji alternative, the pattern is
// compiled before it goes into the view, and classes are limited only for
// the REGEX function.
TEST_F(MigemoSearchTest, TypedCharactersClassesAndRefusedPatterns) {
  open("('cpp','c','.x','m','C++入門',0),('juu','j','.x','m','十字軍',0)");
  const struct {
    int mode;
    const char* text;
    int regexMode;
    int classLimit;
    const char* titles;
  } cases[] = {
      {kTitleMode, "z?", kRegexpOperator, 0, ""},
      {kTitleMode, "z?", kRegexFunction, 0, ""},
      {kFuzzyMode, "a{0}", kRegexpOperator, 0, ""},
      {kFuzzyMode, "c++", kRegexpOperator, 0, "C++入門|"},
      {kFuzzyMode, "c++", kRegexFunction, 0, "C++入門|"},
      {kTitleMode, "juu", kRegexpOperator, 1, "十字軍|"},
      {kTitleMode, "juu", kRegexFunction, 1, ""},
      {kTitleMode, "sei", kRegexpOperator, 12, "星の物語|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + std::string(" regex mode ") + std::to_string(c.regexMode));
    SearchRequest request;
    request.mode = c.mode;
    request.text = c.text;
    SearchSettings settings;
    settings.regexMode = c.regexMode;
    settings.classLimit = c.classLimit;
    const SearchOutcome outcome = searchLibrary(items, request, settings, &migemo, sink);
    EXPECT_EQ(outcome.result, *c.titles ? 1 : 0);
    EXPECT_EQ(outcome.note, "") << "the pattern was taken as it is";
    EXPECT_EQ(titles(), c.titles);
  }
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
}  // namespace qm::search::test

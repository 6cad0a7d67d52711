// The in-list search over the titles the list holds.
#include <gtest/gtest.h>

#include <string>

#include "app/item_list/item_list.h"
#include "app/search/list_search.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

using text::sjis;

class ListSearchTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    run(sjis("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply) VALUES "
             "('x1','x','.x','m','Dragon Slayer',0),('x2','x','.x','m','The Dragon',0);"));
    ASSERT_TRUE(items.recreateView());
    ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
    // Dragon Slayer, The Dragon, 星の物語, 海の伝説, 霧の館 (code point order)
  }
  ItemList items{list, checker, sink};
  int memo = 0;
};

TEST_F(ListSearchTest, PlainTextFromTheTopNextAndPrevious) {
  EXPECT_EQ(items.titleUtf8(0), "Dragon Slayer");
  EXPECT_EQ(stepListSearch(items, 0, "dragon", StepDirection::FromTop, false, nullptr, memo).found, 0);
  EXPECT_EQ(memo, 6);
  EXPECT_EQ(stepListSearch(items, 0, "DRAGON", StepDirection::Next, false, nullptr, memo).found, 1);
  const ListSearchStep last = stepListSearch(items, 1, "dragon", StepDirection::Next, false, nullptr, memo);
  EXPECT_EQ(last.found, -1);
  EXPECT_TRUE(last.beep);
  EXPECT_EQ(stepListSearch(items, 1, "dragon", StepDirection::Previous, false, nullptr, memo).found, 0);
  EXPECT_EQ(stepListSearch(items, 0, "dragon", StepDirection::Next, true, nullptr, memo).found, -1);  // "The Dragon"
  EXPECT_EQ(stepListSearch(items, 0, sjis("の館"), StepDirection::FromTop, false, nullptr, memo).found, 4);
  EXPECT_EQ(stepListSearch(items, 0, sjis("の館"), StepDirection::FromTop, true, nullptr, memo).found, -1);
}

TEST_F(ListSearchTest, AMissStopsSearchingThreeCharactersOn) {
  EXPECT_EQ(stepListSearch(items, 0, "zz", StepDirection::FromTop, false, nullptr, memo).found, -1);
  EXPECT_EQ(memo, -2);
  EXPECT_TRUE(stepListSearch(items, 0, "zzz", StepDirection::FromTop, false, nullptr, memo).searched);
  EXPECT_TRUE(stepListSearch(items, 0, "zzzz", StepDirection::FromTop, false, nullptr, memo).searched);
  EXPECT_FALSE(stepListSearch(items, 0, "zzzzz", StepDirection::FromTop, false, nullptr, memo).searched);
  // A first text longer than two bytes (an IME commit) searches.
  memo = 0;
  EXPECT_EQ(stepListSearch(items, 0, sjis("海の伝説"), StepDirection::FromTop, false, nullptr, memo).found, 3);
  EXPECT_EQ(stepListSearch(items, 0, "", StepDirection::FromTop, false, nullptr, memo).found, -1);
  EXPECT_EQ(memo, 0);
}

TEST_F(ListSearchTest, APatternMatchesWithoutRegardToCase) {
  const auto pattern = TitlePattern::compile(sjis("(どらごん|DRAGON|霧)"));
  ASSERT_TRUE(pattern);
  const ListSearchStep step = stepListSearch(items, 0, "dora", StepDirection::FromTop, false, pattern.get(), memo);
  EXPECT_EQ(step.found, 0);
  EXPECT_EQ(step.matched, "Dragon");
  EXPECT_EQ(stepListSearch(items, 1, "dora", StepDirection::Next, false, pattern.get(), memo).matched, sjis("霧"));
  EXPECT_FALSE(TitlePattern::compile("(unclosed"));
}

}  // namespace
}  // namespace qm::search::test

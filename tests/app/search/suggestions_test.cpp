// Type-ahead suggestions: statements, shortening, and rows from a library.
#include <gtest/gtest.h>

#include <string>

#include "app/search/suggestions.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

using text::sjis;

TEST(Suggestions, StatementsQuoteAndEscapeWhatWasTyped) {
  EXPECT_EQ(readingPattern("a.b$c*^\\'"), "A\\.B\\$C\\*\\^\\\\''");
  EXPECT_EQ(readingPattern(sjis("ソ表")), sjis("ソ表"));  // trail bytes 0x5C are no backslashes
  EXPECT_EQ(*searchSuggestionStatement("it's", "(p)", 1),
            "SELECT DISTINCT title FROM main_table WHERE (kana REGEXP 'IT''S' OR title REGEXP '(p)' ) AND ply<=1 "
            "LIMIT 60;");
  EXPECT_EQ(*searchSuggestionStatement("ab", "", 1),
            "SELECT DISTINCT title FROM main_table WHERE (kana REGEXP 'AB' ) AND ply<=1 LIMIT 60;");
  for (const std::string& none : {std::string("a"), std::string("(ab"), std::string("a|b"), std::string(200, 'a')})
    EXPECT_FALSE(searchSuggestionStatement(none, "", 1)) << none;
  EXPECT_TRUE(searchSuggestionStatement(std::string(199, 'a'), "", 1));
  EXPECT_EQ(*fieldSuggestionStatement("developer", "O'%", "p", 1),
            "SELECT DISTINCT developer FROM main_table WHERE developer LIKE 'O''`%%' ESCAPE '`' OR (developer REGEXP "
            "'p' ) AND ply <= 1 ORDER BY developer LIMIT 40;");
  EXPECT_EQ(suggestionField("genre"), "maker");
  EXPECT_FALSE(fieldSuggestionStatement("title", std::string(17, 'a'), "", 1));
  EXPECT_FALSE(fieldSuggestionStatement("title", "", "", 1));
}

TEST(Suggestions, ShortenedTitlesWithoutRepeats) {
  const struct {
    const char* title;
    const char* shortened;
  } cases[] = {{"Ys (Disk A)", "Ys"}, {"Ys_II", "Ys"}, {"[x] Ys", "[x] Ys"}, {"(a)", "(a)"}, {"ソ表[1]", "ソ表"},
               {"abc  ", "abc"}};
  for (const auto& c : cases) EXPECT_EQ(shortenedTitle(sjis(c.title)), sjis(c.shortened)) << c.title;
  const std::vector<std::string> titles{"Ys (A)", "Ys (B)", "Xanadu"};
  EXPECT_EQ(suggestionList("y", titles, false), (std::vector<std::string>{"y", "Ys", "Xanadu"}));
  EXPECT_EQ(suggestionList("y", titles, true), (std::vector<std::string>{"y", "Ys (A)", "Ys (B)", "Xanadu"}));
  EXPECT_EQ(suggestionList("y", std::vector<std::string>(60, "t"), true).size(), 52u);
}

class SuggestionRowsTest : public LibraryTest {};

TEST_F(SuggestionRowsTest, ReadingsAndFieldsFromTheLibrary) {
  EXPECT_EQ(suggestionRows(list, *searchSuggestionStatement(sjis("きり"), "", 1)), std::vector<std::string>{sjis("霧の館")});
  EXPECT_EQ(suggestionRows(list, *fieldSuggestionStatement("maker", sjis("デモ"), "", 1)),
            std::vector<std::string>{sjis("デモソフト")});
  EXPECT_TRUE(suggestionRows(list, "SELECT nothing FROM nowhere;").empty());
}

}  // namespace
}  // namespace qm::search::test

// What a Migemo pattern goes through before SQL.
#include <gtest/gtest.h>

#include "app/search/migemo_pattern.h"
#include "app/search/search_sql.h"
#include "common/text/encoding.h"

namespace qm::search::test {
namespace {

using text::sjis;

TEST(MigemoPattern, ClassesAfterAGroupKeepTheirFirstCharacters) {
  const struct {
    const char* pattern;
    int limit;
    const char* limited;
  } cases[] = {
      {"([あいう]", 1, "([あい]"},
      {"([あいう]", 0, "([あいう]"},
      {"([あいう]", 5, "([あいう]"},
      {"(x|[あいう])", 0, "(x|[あいう])"},
      {"x[あいう]", 1, "x[あいう]"},  // not directly after "("
      {"([abc]|[de])", 1, "([ab]|[de])"},
      {"([a\\]b]", 1, "([a\\]b]"},  // an escape inside: left alone
      {"([^ab]", 0, "([^ab]"},
      {"(ソ[あい]", 1, "(ソ[あい]"},
      {"([ー表ソ]", 1, "([ー表]"},  // trail bytes 0x5B and 0x5C are no brackets
      {"([あ", 1, "([あ"},
  };
  for (const auto& c : cases) EXPECT_EQ(limitClasses(sjis(c.pattern), c.limit), sjis(c.limited)) << c.pattern;
  EXPECT_EQ(sqlPattern("(it's|[ab])", kRegexFunction, 0), "(it''s|[ab])");
  EXPECT_EQ(sqlPattern(sjis("([あいう]|x)"), kRegexFunction, 1), sjis("([あい]|x)"));
  EXPECT_EQ(sqlPattern(sjis("([あいう]|x)"), kRegexpOperator, 1), sjis("([あいう]|x)")) << "only quoted";
  EXPECT_EQ(migemoQueryText(sjis("キャラャ")), sjis("キゃラゃ"));
}

// The library escapes ". * ^ $" and the backslash of the typed text, not the rest.
TEST(MigemoPattern, TypedOperatorsBecomeText) {
  const std::pair<const char*, const char*> cases[] = {
      {"(ｚ？|z?)", "(ｚ？|z\\?)"},
      {"(Ｃ＋＋|C++|c(ッ+|++))", "(Ｃ＋＋|C\\+\\+|c(ッ\\+|\\+\\+))"},
      {"(a\\.b|x\\*|\\^a|a\\$)", "(a\\.b|x\\*|\\^a|a\\$)"},
      {"(a{2}|^$.*)", "(a\\{2\\}|\\^\\$\\.\\*)"},
      {"(a\\\\?)", "(a\\\\\\?)"},
      {"(表?|ソ+)", "(表\\?|ソ\\+)"},  // a trail byte 0x5C escapes nothing
      {"x\\", "x\\"},
  };
  for (const auto& [pattern, text] : cases)
    EXPECT_EQ(typedCharactersAsText(sjis(pattern)), sjis(text)) << pattern;
}

}  // namespace
}  // namespace qm::search::test

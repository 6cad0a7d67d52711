// What a Migemo pattern goes through before SQL.
#include <gtest/gtest.h>

#include "app/search/migemo_pattern.h"
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
  EXPECT_EQ(sqlPattern("(it's|[ab])", 0), "(it''s|[ab])");
  EXPECT_EQ(migemoQueryText(sjis("キャラャ")), sjis("キゃラゃ"));
}

}  // namespace
}  // namespace qm::search::test

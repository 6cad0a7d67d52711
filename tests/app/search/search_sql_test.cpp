// The WHERE clauses a search builds, by mode and match kind, and the texts
// that must never break out of their quotes or their LIKE pattern.
#include <gtest/gtest.h>

#include <string>

#include "app/search/search_sql.h"
#include "common/text/encoding.h"

namespace qm::search::test {
namespace {

using text::sjis;

std::string where(int mode, int match, const std::string& typed, std::string_view pattern = {}, int regex = 1,
                  std::size_t statement = 0) {
  SearchRequest request;
  request.text = typed;
  request.mode = mode;
  request.match = match;
  const auto clauses = buildSearchClauses(request, pattern, regex);
  if (!clauses || statement >= clauses->statements.size()) return "(none)";
  return whereClauseOf(clauses->statements[statement]);
}

struct FieldMode {
  int mode;
  const char* field;
};
constexpr FieldMode kFieldModes[] = {{kFilePathMode, "file_name"}, {kTitleMode, "title"},    {kGenreMode, "genre_name"},
                                     {kVersionMode, "version"},    {kCreatorMode, "creator"}, {kMemoMode, "memo"}};

TEST(SearchSql, OneFieldModesContainOrEqualTheirField) {
  for (const FieldMode& m : kFieldModes) {
    const std::string f = m.field;
    EXPECT_EQ(where(m.mode, kContains, " abc "), "WHERE (ply<2) AND (" + f + " LIKE '%abc%')") << f;
    for (int kind : {kEquals, kSeveralWords})
      EXPECT_EQ(where(m.mode, kind, "abc"), "WHERE (ply<2) AND (" + f + " = 'abc')") << f;
    EXPECT_EQ(where(m.mode, kContains, "O'Neil"), "WHERE (ply<2) AND (" + f + " LIKE '%O''Neil%')") << f;
    // A space stays a space outside mode 0: the whole text is one pattern.
    EXPECT_EQ(where(m.mode, kContains, "a b"), "WHERE (ply<2) AND (" + f + " LIKE '%a b%')") << f;
  }
}

TEST(SearchSql, LikeWildcardsAndTheEscapeCharacterAreEscapedByCharacter) {
  const struct {
    const char* typed;
    const char* pattern;
    bool escaped;
  } cases[] = {
      {"100%", "100`%", true},   {"a_b", "a`_b", true},     {"x`y", "x``y", true},
      {"it's", "it''s", false},  {"～", "～", false},        // trail byte 0x60 is not a "`"
      {"ソ表ー", "ソ表ー", false}, {"%_`'", "`%`_``''", true},
  };
  for (const auto& c : cases) {
    bool escaped = false;
    EXPECT_EQ(likePattern(sjis(c.typed), escaped), sjis(c.pattern)) << c.typed;
    EXPECT_EQ(escaped, c.escaped) << c.typed;
  }
  EXPECT_EQ(where(kMemoMode, kContains, "100%"), "WHERE (ply<2) AND (memo LIKE '%100`%%' ESCAPE '`')");
  EXPECT_EQ(where(kTitleMode, kContains, sjis("～")), sjis("WHERE (ply<2) AND (title LIKE '%～%')"));
}

TEST(SearchSql, MakerModesSearchMakerAndDeveloper) {
  for (int mode : {kMakerMode, kMakerLinkMode}) {
    EXPECT_EQ(where(mode, kContains, "ab"), "WHERE (ply<2) AND (maker LIKE '%ab%' OR developer LIKE'%ab%')");
    EXPECT_EQ(where(mode, kEquals, "a'b"), "WHERE (ply<2) AND (maker='a''b' OR developer='a''b')");
    EXPECT_EQ(where(mode, kContains, "a_"),
              "WHERE (ply<2) AND (maker LIKE '%a`_%' ESCAPE '`' OR developer LIKE'%a`_%' ESCAPE '`')");
  }
}

constexpr const char* kFuzzy =
    "file_name||ifnull(title,'')||ifnull(kana,'')||machine_name||ifnull(maker,'')||ifnull(developer,'')||"
    "ifnull(tag,'')||ifnull(version,'')||ifnull(creator,'')";
constexpr const char* kWords =
    "file_name||ifnull(title,'')||ifnull(kana,'')||machine_name||ifnull(maker,'')||ifnull(developer,'')||"
    "ifnull(tag,'')||ifnull(creator,'')";

TEST(SearchSql, FuzzyModeAddsTheSmartFormQuotedAndEscaped) {
  EXPECT_EQ(where(kFuzzyMode, kContains, "abc"),
            std::string("WHERE (ply<2) AND ((") + kFuzzy + " LIKE '%abc%') OR (smart_title LIKE '%ABC%'))");
  const std::string percent = where(kFuzzyMode, kContains, "100%");
  EXPECT_EQ(percent.substr(0, percent.find(" OR (smart")),
            std::string("WHERE (ply<2) AND ((") + kFuzzy + " LIKE '%100`%%' ESCAPE '`')");
  // The smart form keeps a quote only doubled.
  const std::string quote = where(kFuzzyMode, kEquals, "o'neil");
  EXPECT_NE(quote.find("title='o''neil'"), std::string::npos) << quote;
  EXPECT_EQ(quote.find("smart_title='O'N"), std::string::npos) << quote;
}

TEST(SearchSql, FuzzyEqualsNamesEveryField) {
  EXPECT_EQ(where(kFuzzyMode, kEquals, "ABC"),
            "WHERE (ply<2) AND (file_name='ABC' OR title='ABC' OR kana='ABC' OR machine_name='ABC' OR maker='ABC' OR "
            "developer='ABC' OR tag='ABC' OR version='ABC' OR creator='ABC')");
  EXPECT_EQ(where(kFuzzyMode, kEquals, "abc").substr(0, 0), "");
  EXPECT_NE(where(kFuzzyMode, kEquals, "abc").find(" OR smart_title='ABC')"), std::string::npos);
}

TEST(SearchSql, SeveralWordsTryAndThenOr) {
  const std::string andForm = where(kFuzzyMode, kContains, sjis("ab　 cd"), {}, 1, 0);
  const std::string orForm = where(kFuzzyMode, kContains, "ab cd", "(x|y)", 1, 1);
  const std::string e = std::string(kWords) + "||ifnull(smart_title,'')";
  EXPECT_EQ(andForm, "WHERE (ply<2) AND ((" + e + " LIKE '%ab%')AND(" + e + " LIKE '%cd%'))");
  EXPECT_EQ(orForm, "WHERE (ply<2) AND ((" + e + " LIKE '%ab%')OR(" + e + " LIKE '%cd%') OR(title REGEXP '(x|y)' ) )");
  SearchRequest request;
  request.text = "ab cd";
  request.skipAnd = true;
  ASSERT_EQ(buildSearchClauses(request, {}, 1)->statements.size(), 1u);
  EXPECT_NE(buildSearchClauses(request, {}, 1)->statements[0].find(")OR("), std::string::npos);
  // Equals keeps the words together.
  EXPECT_NE(where(kFuzzyMode, kEquals, "ab cd").find("title='ab cd'"), std::string::npos);
  // Digits fold to themselves: no smart_title in the fields.
  EXPECT_EQ(where(kFuzzyMode, kContains, "12 34", {}, 1, 0),
            "WHERE (ply<2) AND ((" + std::string(kWords) + " LIKE '%12%')AND(" + kWords + " LIKE '%34%'))");
}

TEST(SearchSql, MigemoTermByModeAndRegexForm) {
  EXPECT_EQ(where(kTitleMode, kContains, "abc", "p"), "WHERE (ply<2) AND (title LIKE '%abc%' OR(title REGEXP 'p' ) )");
  EXPECT_EQ(where(kTitleMode, kContains, "abc", "p", 2), "WHERE (ply<2) AND (title LIKE '%abc%' OR(REGEX(title,'p') ) )");
  EXPECT_EQ(where(kTitleMode, kContains, "abc", "p", -1), "WHERE (ply<2) AND (title LIKE '%abc%')");
  EXPECT_EQ(where(kMakerMode, kEquals, "a", "p"),
            "WHERE (ply<2) AND (maker='a' OR developer='a' OR(maker REGEXP 'p'  OR developer REGEXP 'p' ) )");
  EXPECT_EQ(where(kCreatorMode, kContains, "ab", "p"), "WHERE (ply<2) AND (creator LIKE '%ab%')");
  EXPECT_EQ(where(kMemoMode, kContains, "ab", "p", 2), "WHERE (ply<2) AND (memo LIKE '%ab%' OR(REGEX(memo,'p') ) )");
  EXPECT_TRUE(takesMigemo("ab"));
  for (const char* text : {"a", "a(b", "a)b", "a[b", "a]b", "a|b"}) EXPECT_FALSE(takesMigemo(text)) << text;
  EXPECT_TRUE(takesMigemo(sjis("ー")));  // 0x81 0x5B: no "[" in it
}

TEST(SearchSql, SaleYearFoldsFullWidthDigits) {
  EXPECT_EQ(where(kSaleYearMode, kContains, sjis("１９９０")), "WHERE (ply<2) AND (sale_year LIKE '%1990%')");
  EXPECT_EQ(where(kSaleYearMode, kEquals, sjis("１９９０-０１")), "WHERE (ply<2) AND (sale_year = '1990-01')");
  EXPECT_EQ(where(kSaleYearMode, kContains, "1990'"), "WHERE (ply<2) AND (sale_year LIKE '%1990''%')");
}

TEST(SearchSql, NothingIsBuiltForBlankTextsOrStatements) {
  for (int mode = 0; mode <= kMakerLinkMode; ++mode) {
    EXPECT_EQ(where(mode, kContains, "   "), "(none)") << mode;
    EXPECT_EQ(where(mode, kContains, ""), "(none)") << mode;
  }
  EXPECT_EQ(where(kFuzzyMode, kContains, sjis("　 　")), "(none)");
  EXPECT_EQ(where(kSqlMode, kContains, "SELECT 1"), "(none)");
  EXPECT_EQ(searchModeLabel(kSqlMode), sjis("SQL検索"));
  EXPECT_EQ(searchModeLabel(kMakerLinkMode), "");
}

TEST(SearchSql, WordConditionAsDocumented) {
  EXPECT_EQ(buildWordCondition("a b", "E", "AND"), "(E LIKE '%a%')AND(E LIKE '%b%')");
  EXPECT_EQ(buildWordCondition("a%", "E", "OR"), "(E LIKE '%a`%%' ESCAPE '`')");
  EXPECT_EQ(regexCondition(kRegexpOperator, "f", "p"), "f REGEXP 'p' ");
  EXPECT_EQ(regexCondition(kRegexFunction, "f", "p"), "REGEX(f,'p') ");
  EXPECT_EQ(regexCondition(0, "f", "p"), "");
}

}  // namespace
}  // namespace qm::search::test

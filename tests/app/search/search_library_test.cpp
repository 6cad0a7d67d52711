// A search over a real library: the view it leaves, the list it fills, and
// what a blank, refused or failing search leaves alone.
#include <gtest/gtest.h>

#include <string>

#include "app/item_list/item_list.h"
#include "app/item_list/list_view_sql.h"
#include "app/search/search_library.h"
#include "app/search/view_statement_check.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

using text::sjis;

class FixedMigemo : public MigemoSource {
public:
  explicit FixedMigemo(std::string pattern) : pattern_(std::move(pattern)) {}
  bool enabled() const override { return true; }
  std::optional<std::string> query(std::string_view text) override {
    asked = std::string(text);
    return pattern_;
  }
  std::string asked;

private:
  std::string pattern_;
};

class SearchLibraryTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(items.recreateView());
    ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  }
  SearchOutcome search(const std::string& typed, int mode, int match = kContains, bool skipAnd = false,
                       MigemoSource* migemo = nullptr) {
    SearchRequest request;
    request.text = typed;
    request.mode = mode;
    request.match = match;
    request.skipAnd = skipAnd;
    return searchLibrary(items, request, settings, migemo, sink);
  }
  std::string titles() {
    std::string all;
    for (int i = 0; i < items.rowCount(); ++i) all += text::sjisToUtf8(items.cell(i, 2)) + "|";
    return all;
  }

  SearchSettings settings;
  ItemList items{list, checker, sink};
};

TEST_F(SearchLibraryTest, TitleSearchNarrowsTheViewAndSortsByTitle) {
  items.statements().group = "SELECT * FROM list_view WHERE rating=50;";
  const SearchOutcome outcome = search(sjis("の"), kTitleMode);
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(titles(), "星の物語|海の伝説|霧の館|");
  EXPECT_EQ(items.statements().view, viewHead() + sjis("WHERE (ply<2) AND (title LIKE '%の%')"));
  EXPECT_EQ(items.statements().group, "");
  EXPECT_EQ(items.sortState().primaryColumn(), 0);
  EXPECT_EQ(search(sjis("海"), kTitleMode).result, 1);
  EXPECT_EQ(titles(), "海の伝説|");
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(SearchLibraryTest, BlankOrEmptyTextsLeaveTheListAsItWas) {
  ASSERT_EQ(search(sjis("海"), kTitleMode).result, 1);
  const std::string view = items.statements().view;
  EXPECT_EQ(search("", kTitleMode).result, 0);
  for (const std::string& blank : {std::string("   "), sjis("　　")}) {
    EXPECT_EQ(search(blank, kFuzzyMode).result, -1);
    EXPECT_EQ(items.statements().view, view);
    EXPECT_EQ(titles(), "海の伝説|");
  }
  // Nothing found is an empty list, not a failure, and the view is the new one.
  EXPECT_EQ(search("zzz", kTitleMode).result, 0);
  EXPECT_EQ(items.rowCount(), 0);
  ASSERT_FALSE(list.execute("SELECT COUNT(*) FROM list_view;"));
  EXPECT_EQ(list.cell(1, 0), "0");
}

TEST_F(SearchLibraryTest, LikeSpecialCharactersMatchOnlyThemselves) {
  std::string rows;
  for (const char* title : {"100%", "1000", "a_b", "axb", "x`y", "xy", "O''Neil", "it''s -- x"}) {
    rows += std::string(rows.empty() ? "" : ",") + "('k" + title + "','t','.x','m','" + title + "',0)";
  }
  run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply) VALUES " + rows + ";");
  const struct {
    const char* typed;
    const char* found;
  } cases[] = {{"100%", "100%|"}, {"a_b", "a_b|"}, {"x`y", "x`y|"}, {"O'Neil", "O'Neil|"}, {"s -- x", "it's -- x|"},
               {"' OR 1=1 --", ""}};
  for (const auto& c : cases) {
    for (int mode : {kTitleMode, kFuzzyMode}) {
      const SearchOutcome outcome = search(c.typed, mode);
      EXPECT_GE(outcome.result, 0) << c.typed << " mode " << mode;
      if (mode == kTitleMode) {
        EXPECT_EQ(titles(), c.found) << c.typed;
      }
    }
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(SearchLibraryTest, SeveralWordsFallBackToEitherWord) {
  EXPECT_EQ(search(sjis("星 物語"), kFuzzyMode).result, 1);
  EXPECT_EQ(titles(), "星の物語|");
  EXPECT_EQ(search(sjis("星 海"), kFuzzyMode).result, 1);
  EXPECT_EQ(titles(), "星の物語|海の伝説|");
  EXPECT_NE(items.statements().view.find(")OR("), std::string::npos);
  EXPECT_EQ(search(sjis("星 物語"), kFuzzyMode, kContains, true).result, 1);
  EXPECT_NE(items.statements().view.find(")OR("), std::string::npos);
}

TEST_F(SearchLibraryTest, MigemoAlternativeAndItsFallback) {
  FixedMigemo good(sjis("(海|星)"));
  EXPECT_EQ(search(sjis("umiャ"), kTitleMode, kContains, false, &good).result, 1);
  EXPECT_EQ(good.asked, sjis("umiゃ"));
  EXPECT_EQ(titles(), "星の物語|海の伝説|");
  // A pattern PCRE2 refuses: the search runs on the plain text and says so.
  FixedMigemo bad("(unclosed");
  const SearchOutcome outcome = search(sjis("海"), kTitleMode, kContains, false, &bad);
  EXPECT_EQ(outcome.result, 1);
  EXPECT_FALSE(outcome.note.empty());
  EXPECT_EQ(titles(), "海の伝説|");
  EXPECT_TRUE(sink.messages().empty());
  settings.migemoOn = false;
  EXPECT_EQ(search("umi", kTitleMode, kContains, false, &good).result, 0);
}

// SQLite runs the REGEXP only for rows the LIKE half leaves: a refused
// pattern must not reach the view even when the first row matches the text.
TEST_F(SearchLibraryTest, ARefusedPatternNeverReachesTheView) {
  const std::pair<const char*, bool> patterns[] = {
      {"(unclosed", true}, {"[z", true}, {"c++", false}, {"a{2,1}", false}};  // typed characters are text
  for (const auto& [pattern, refused] : patterns) {
    SCOPED_TRACE(pattern);
    FixedMigemo migemo(pattern);
    const SearchOutcome outcome = search(sjis("星"), kFuzzyMode, kContains, false, &migemo);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(titles(), "星の物語|");
    EXPECT_EQ(items.statements().view.find("REGEXP") == std::string::npos, refused);
    EXPECT_EQ(outcome.note.empty(), !refused);
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(SearchLibraryTest, DoubleBlanksCollapseOnlyOutsideQuotedTexts) {
  const std::pair<std::string, std::string> cases[] = {
      {"  SELECT *  FROM list_view  ", "SELECT * FROM list_view"},
      {"SELECT * FROM list_view WHERE title='a  b'  ORDER  BY title",
       "SELECT * FROM list_view WHERE title='a  b' ORDER BY title"},
      {"WHERE title='it''s  x'  AND \"my  col\"=1  AND `a  b`=[c  d]",
       "WHERE title='it''s  x' AND \"my  col\"=1 AND `a  b`=[c  d]"},
      {sjis("WHERE ～  x='表  '  "), sjis("WHERE ～ x='表  '")},  // trail bytes 0x60 and 0x5C are no quotes
      {"WHERE a='open  end", "WHERE a='open  end"},
  };
  for (const auto& [typed, normal] : cases) EXPECT_EQ(normalizedStatement(typed), normal) << typed;
  run(sjis("UPDATE main_table SET title='星の  物語' WHERE file_name='C:\\roms\\hoshi.nes';"));
  EXPECT_EQ(search(sjis("SELECT * FROM list_view WHERE title='星の  物語'"), kSqlMode).result, 1);
  EXPECT_EQ(titles(), "星の  物語|");
}

TEST_F(SearchLibraryTest, SqlSearchRunsOneReadOnlyStatementWithItsOwnSort) {
  EXPECT_EQ(search("  SELECT * FROM list_view   ORDER BY rating DESC  ", kSqlMode).result, 1);
  EXPECT_EQ(items.statements().search, "SELECT * FROM list_view ORDER BY rating DESC");
  EXPECT_EQ(items.statements().view, viewStatementWithoutSearch());
  EXPECT_EQ(titles(), "海の伝説|星の物語|霧の館|");
  EXPECT_EQ(items.sortState().primaryColumn(), 3);

  const std::string before = titles();
  for (const char* refused : {"DELETE FROM main_table", "SELECT 1; DROP TABLE main_table;", "SELEKT *",
                              "CREATE TABLE x(a)"}) {
    sink.clear();
    EXPECT_EQ(search(refused, kSqlMode).result, -1) << refused;
    EXPECT_EQ(sink.captions().size(), 2u) << refused;
    EXPECT_EQ(titles(), before) << refused;
    EXPECT_EQ(items.statements().search, "SELECT * FROM list_view ORDER BY rating DESC");
  }
  EXPECT_EQ(countRows("main_table"), 4);
}

TEST_F(SearchLibraryTest, TheViewIsCreatedByExactlyOneStatement) {
  const std::string view = items.statements().view;
  const ItemList::ViewChange change = items.replaceView(viewHead() + "WHERE ply<2; DROP TABLE main_table;");
  EXPECT_TRUE(change.error);
  EXPECT_EQ(countRows("main_table"), 4);
  EXPECT_EQ(items.statements().view, view);
  // The old view is still there.
  EXPECT_FALSE(list.execute("SELECT COUNT(*) FROM list_view;"));
  EXPECT_EQ(list.cell(1, 0), "3");
}

TEST_F(SearchLibraryTest, OnlyOurOwnViewHeadWithAReadOnlyWhereIsTrusted) {
  const std::string head = viewHead();
  const struct {
    std::string statement;
    bool trusted;
  } cases[] = {
      {viewStatementWithoutSearch(), true},
      {head + "WHERE (ply<2) AND (title LIKE '%a%')", true},
      {head + "WHERE ply<2; DROP TABLE main_table;", false},
      {head + "WHERE ply<2 ; CREATE TABLE x(a);", false},
      {head, false},
      {head + "ORDER BY title", false},
      {"CREATE VIEW list_view AS SELECT * FROM main_table WHERE ply<2", false},
      {"DROP TABLE main_table;", false},
      {head + "WHERE (title LIKE '%", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isTrustedViewStatement(c.statement, checker), c.trusted) << c.statement;
}

TEST(SearchSort, ModesAndStatementsChooseTheirSort) {
  EXPECT_EQ(sortAfterSearch(kTitleMode).column, 0);
  EXPECT_EQ(sortAfterSearch(kGenreMode).column, kMachineGenreColumn);
  EXPECT_EQ(sortAfterSearch(kFilePathMode).column, kResetSort);
  EXPECT_EQ(sortAfterSearch(kFuzzyMode).column, kSortAgain);
  EXPECT_EQ(sortAfterSearch(kSaleYearMode).column, kSortAgain);
  const struct {
    const char* statement;
    int column;
    SortMode mode;
  } cases[] = {
      {"SELECT * FROM list_view ORDER BY rating DESC", 3, SortMode::Descending},
      {"SELECT * FROM list_view order by Rating desc, title", 3, SortMode::Descending},
      {"SELECT * FROM list_view ORDER BY title", 0, SortMode::Ascending},
      {"SELECT * FROM list_view ORDER BY genre_name DESC", 2, SortMode::Descending},
      {"SELECT * FROM list_view ORDER BY file_name", kKeepStatementOrder, SortMode::Toggle},
      {"SELECT * FROM list_view ORDER BY file_title", kKeepStatementOrder, SortMode::Toggle},
      {"SELECT * FROM list_view", kSortAgain, SortMode::Toggle},
      {"SELECT * FROM list_view WHERE title='ORDER BY rating'", kSortAgain, SortMode::Toggle},
      // Names more than 40 characters after ORDER are not looked at.
      {"SELECT * FROM list_view ORDER BY file_name, file_title, file_ext, crc32, kana", kKeepStatementOrder,
       SortMode::Toggle},
      {"SELECT * FROM list_view ORDER BY file_name, rating", 3, SortMode::Ascending},
  };
  for (const auto& c : cases) {
    const SortRequest sort = sortOfStatement(c.statement);
    EXPECT_EQ(sort.column, c.column) << c.statement;
    EXPECT_EQ(sort.mode, c.mode) << c.statement;
  }
}

TEST(SearchTime, HundredthsOfASecond) {
  using std::chrono::milliseconds;
  EXPECT_EQ(searchTimeText(milliseconds(0)), sjis("検索時間:0.00秒"));
  EXPECT_EQ(searchTimeText(milliseconds(59)), sjis("検索時間:0.05秒"));
  EXPECT_EQ(searchTimeText(milliseconds(61234)), sjis("検索時間:61.23秒"));
}

}  // namespace
}  // namespace qm::search::test

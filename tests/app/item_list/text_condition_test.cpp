// A search's rows found through its condition must be the rows its view
// lists: every mode and match kind, with and without a Migemo pattern, on a
// generated library whose texts hold what LIKE and = treat specially (case,
// wildcards, quotes, NULLs, numbers, rows a search never lists).
#include "app/item_list/text_condition.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/item_list/item_list.h"
#include "app/search/search_sql.h"
#include "app/search/search_texts_reader.h"
#include "common/db/db_connection.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

using text::sjis;

const std::vector<std::string>& pieces() {
  static const std::vector<std::string> all = {
      sjis("騎士"), "kis", "KIS", "Kiss", "%", "_", "`", "'", sjis("星の"), " ", sjis("１９９０"), "1990",
      sjis("アクション"), sjis("山田"), sjis("ボス"), "a", "B"};
  return all;
}

std::string randomValue(std::mt19937& random, bool mayBeNull) {
  std::uniform_int_distribution<int> count(0, 3);
  std::uniform_int_distribution<std::size_t> piece(0, pieces().size() - 1);
  if (mayBeNull && random() % 5 == 0) return "NULL";
  std::string value;
  for (int n = count(random); n > 0; --n) value += pieces()[piece(random)];
  return db::sqlText(value);
}

class TextConditionTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    std::mt19937 random(424242);
    std::string sql = "BEGIN;";
    for (int row = 0; row < 400; ++row) {
      const std::string name = db::sqlText("C:\\gen\\" + std::to_string(row) + randomValue(random, false) + ".d88");
      const std::string version = row % 7 == 0 ? std::to_string(row) : randomValue(random, true);  // a number
      sql += "INSERT OR IGNORE INTO main_table(file_name, file_title, file_ext, machine_name, title, kana, maker, "
             "developer, tag, version, genre_name, sale_year, smart_title, ply) VALUES (" +
             name + ", 't', 'd88', " + (row % 9 == 0 ? "'PC-88'" : randomValue(random, false)) + ", " +
             randomValue(random, false) + ", " + randomValue(random, true) + ", " + randomValue(random, true) + ", " +
             randomValue(random, true) + ", " + randomValue(random, true) + ", " + version + ", " +
             randomValue(random, true) + ", " + randomValue(random, true) + ", " + randomValue(random, true) + ", " +
             std::to_string(row % 4) + ");";
      if (row % 3 == 0) sql += "INSERT OR IGNORE INTO creator_table VALUES (" + name + ", " + randomValue(random, false) + ");";
      if (row % 5 == 0) sql += "INSERT OR IGNORE INTO memo_table VALUES (" + name + ", " + randomValue(random, false) + ");";
    }
    run(sql + "COMMIT;");
    ASSERT_TRUE(items.recreateView());
  }

  // The list a statement gives, through its condition or by reading the view.
  std::vector<std::string> listOf(const std::string& statement, const TextCondition* condition) {
    const ItemList::ViewChange change = items.replaceView(statement, false, condition);
    EXPECT_FALSE(change.error) << statement;
    EXPECT_TRUE(items.sort(kTitleColumn, SortMode::Ascending));
    std::vector<std::string> names;
    for (int i = 0; i < items.rowCount(); ++i) names.push_back(items.fileNameAt(i));
    return names;
  }

  ItemList items{list, checker, sink};
};

TEST_F(TextConditionTest, EveryModeListsTheRowsOfItsView) {
  const std::vector<std::string> texts = {sjis("騎士"), "kis", "KIS", "%", "_", "`", "'", sjis("星の 騎士"),
                                          "kis a", "1990", sjis("１９９０"), sjis("ボス"), "Kiss"};
  // A Migemo pattern as the statements carry it (quoted for SQL), in either form.
  const std::vector<std::pair<std::string, int>> patterns = {
      {"", kRegexpOperator}, {sjis("騎士|ki(s)+"), kRegexpOperator}, {"(?i)kiss|''", kRegexFunction}};
  int lists = 0;
  int nonEmpty = 0;
  for (int mode = 0; mode <= kSaleYearMode; ++mode) {
    for (int match : {kContains, kEquals}) {
      for (const std::string& text : texts) {
        for (const auto& [pattern, regexMode] : patterns) {
          {
            SearchRequest request;
            request.text = text;
            request.mode = mode;
            request.match = match;
            const auto clauses = buildSearchClauses(request, pattern, regexMode);
            ASSERT_TRUE(clauses);
            ASSERT_EQ(clauses->statements.size(), clauses->conditions.size());
            for (std::size_t i = 0; i < clauses->statements.size(); ++i) {
              const int before = items.conditionLists();
              const std::vector<std::string> found = listOf(clauses->statements[i], &clauses->conditions[i]);
              ASSERT_EQ(items.conditionLists(), before + 1) << clauses->statements[i];
              ASSERT_EQ(found, listOf(clauses->statements[i], nullptr))
                  << text::sjisToUtf8(clauses->statements[i]);
              ++lists;
              nonEmpty += found.empty() ? 0 : 1;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(lists, 700);
  EXPECT_GT(nonEmpty, lists / 4);  // the texts do find rows
}

TEST_F(TextConditionTest, TheLibraryChangingMakesTheTextsBeReadAgain) {
  SearchRequest request;
  request.text = "zzq";
  request.mode = kTitleMode;
  const auto clauses = buildSearchClauses(request, "", kRegexpOperator);
  ASSERT_TRUE(clauses);
  EXPECT_TRUE(listOf(clauses->statements[0], &clauses->conditions[0]).empty());
  run("UPDATE main_table SET title = 'xzzqx' WHERE rowid = (SELECT min(rowid) FROM main_table WHERE ply < 2);");
  EXPECT_EQ(listOf(clauses->statements[0], &clauses->conditions[0]).size(), 1u);
}

TEST_F(TextConditionTest, TextsReadByAWorkerAreKeptOnlyWhileTheLibraryIsAsItWas) {
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));  // the library's keys are held
  SearchTextsReader reader(dbPath());
  reader.start(items, nullptr);
  EXPECT_TRUE(reader.finish(items));
  EXPECT_FALSE(items.textsJob());  // held: nothing more to read
  // Changed by another connection after the read began: the texts go.
  ASSERT_TRUE(items.recreateView());
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  reader.start(items, nullptr);
  run("UPDATE main_table SET title = 'changed' WHERE rowid = 1;");
  EXPECT_FALSE(reader.finish(items));
  EXPECT_FALSE(reader.finish(items));  // nothing running
}

}  // namespace
}  // namespace qm::search::test

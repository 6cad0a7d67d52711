// quillmoor-cli search lists what the window's list shows after the same
// search, in the same order: the command line lets SQLite sort, the window
// sorts in memory. Both run on a generated library full of ties and of titles
// that differ only in case, width or kana, and every search mode is compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/item_list/item_list.h"
#include "app/item_list/list_view_sql.h"
#include "app/search/search_library.h"
#include "common/db/db_connection.h"
#include "common/db/statement_check.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "tests/cli/library_cli.h"
#include "tests/support/recording_sink.h"

namespace {

using qm::text::sjis;
using Pool = std::vector<const char*>;  // SQL literals, UTF-8

// Few values each, so that rows tie in one column after another.
const Pool kTitles = {"'abc'", "'ABC'", "'Abc'", "'ａｂｃ'", "'abc '", "'アイウ'", "'ｱｲｳ'", "'あいう'",
                      "'騎士'", "'騎士 II'", "'騎士Ⅱ'", "'10'", "'9'", "'ア'", "'a_b%'"};
const Pool kMakers = {"'m1'", "'M1'", "'m2'", "'ｍ２'", "''", "NULL", "'メーカー'"};
const Pool kMachines = {"'mA'", "'MA'", "'mB'", "'機種'"};
const Pool kGenres = {"'RPG'", "'rpg'", "'アクション'", "'ｱｸｼｮﾝ'", "''", "NULL"};
const Pool kDevelopers = {"'d'", "'m3'", "NULL"};
const Pool kRatings = {"0", "3", "5", "NULL", "'x'", "2.5"};
const Pool kSaleYears = {"'1990-01-00'", "'1990'", "'0'", "'2001-12-31'", "19"};
const Pool kBootCounts = {"0", "'10'", "'9'", "2", "'x'", "NULL"};
const Pool kLastBoots = {"''", "'2020-01-01 10:00'", "NULL"};
const Pool kKana = {"''", "'あ'", "'ア'", "NULL"};
const Pool kVersions = {"'v1'", "'V2'", "''"};
const Pool kPlayTimes = {"''", "'10h'", "'9h'"};
const Pool kPly = {"0", "0", "1", "2"};
const Pool kBreeds = {"'b1'", "'B1'", "''"};
const Pool kPrices = {"'1000'", "'980'", "''", "NULL", "'x'"};
const Pool kSpecTexts = {"''", "'a'", "'A'"};
const Pool kCreators = {"'c1'", "'C1'", "'クリエイター'"};
const Pool kMemos = {"'m'", "'M memo'", "'メモ'"};

constexpr int kItems = 300;

// The rows of `kItems` items from a fixed seed: the same library every run.
std::string generatedRows() {
  std::minstd_rand random(20261209);
  auto pick = [&](const Pool& pool) { return std::string(pool[random() % pool.size()]); };
  std::string sql;
  for (int i = 0; i < kItems; ++i) {
    const std::string file = "'f" + std::to_string(i) + "'";
    sql += "INSERT INTO main_table(file_name,file_title,file_ext,title,maker,machine_name,genre_name,developer,"
           "rating,sale_year,boot_count,last_boot,kana,version,play_time,ply) VALUES (" +
           file + ",'t','.x'," + pick(kTitles) + "," + pick(kMakers) + "," + pick(kMachines) + "," +
           pick(kGenres) + "," + pick(kDevelopers) + "," + pick(kRatings) + "," + pick(kSaleYears) + "," +
           pick(kBootCounts) + "," + pick(kLastBoots) + "," + pick(kKana) + "," + pick(kVersions) + "," +
           pick(kPlayTimes) + "," + pick(kPly) + ");";
    if (i % 2 == 0)
      sql += "INSERT INTO spec_table VALUES (" + file + "," + pick(kBreeds) + "," + pick(kPrices) + "," +
             pick(kSpecTexts) + "," + pick(kSpecTexts) + "," + pick(kSpecTexts) + ",''," + pick(kSpecTexts) +
             "," + pick(kSpecTexts) + ");";
    if (i % 3 == 0) sql += "INSERT INTO creator_table VALUES (" + file + "," + pick(kCreators) + ");";
    if (i % 3 == 1) sql += "INSERT INTO memo_table VALUES (" + file + "," + pick(kMemos) + ");";
  }
  return sql;
}

struct Search {
  int mode;
  int match;
  const char* text;  // UTF-8, without single quotes
};

const Search kSearches[] = {
    {0, 0, "a"},
    {0, 0, "ｱ"},
    {0, 0, "騎士 b"},
    {0, 1, "abc"},
    {1, 0, "f1"},
    {2, 0, "a"},
    {2, 0, "騎士"},
    {2, 0, "_"},
    {2, 1, "ABC"},
    {3, 0, "m"},
    {4, 0, "r"},
    {4, 0, "ン"},
    {5, 0, "v"},
    {6, 0, "c"},
    {7, 0, "m"},
    {8, 0, "19"},
    {10, 0, "m"},
    {2, 0, "none"},
    // The list's own sort after a statement that only narrows the view.
    {9, 0, "SELECT * FROM list_view WHERE ply<2"},
    {9, 0, "select * from list_view where title like \"%a%\" order by maker desc"},
    {9, 0, "SELECT * FROM list_view ORDER BY genre_name"},
    // Statements the list runs as they are, its sort added or their own order kept.
    {9, 0, "SELECT title, maker FROM list_view WHERE maker IS NOT NULL"},
    {9, 0, "SELECT title FROM list_view ORDER BY length(title), title"},
    {9, 0, "SELECT * FROM list_view WHERE title LIKE \"%a%\" LIMIT 7"},
    {9, 0, "SELECT * FROM list_view WHERE title = \"none\""},
    // Failures: no title column, an order a compound cannot take, no statement.
    {9, 0, "SELECT file_name FROM list_view"},
    {9, 0, "SELECT title FROM list_view UNION SELECT maker FROM list_view"},
    {9, 0, "DELETE FROM main_table"},
};

struct Listing {
  int exitCode;
  std::string output;  // UTF-8 lines
};

// What the window's list shows after the search, titles only, and the exit
// code the command line gives for it, from a process of its own (a fresh sort).
Listing windowListing(const std::string& dbPath, const Search& search) {
  qm::db::DbConnection db;
  db.open(dbPath);
  // The list reads from the view the program starts with.
  EXPECT_FALSE(db.execute(qm::search::viewStatementWithoutSearch()));
  qm::db::StatementChecker checker;
  checker.open(dbPath);
  qm::test::RecordingSink sink;
  qm::search::ItemList items(db, checker, sink);
  qm::search::SearchRequest request;
  request.mode = search.mode;
  request.match = search.match;
  request.text = sjis(search.text);
  qm::search::SearchSettings settings;
  settings.migemoOn = false;
  const qm::search::SearchOutcome outcome = qm::search::searchLibrary(items, request, settings, nullptr, sink);
  int column = qm::search::kViewTitle;
  if (search.mode == qm::search::kSqlMode && outcome.result > 0) {
    // An SQL search's title: its first column when named so, else list_view's position.
    qm::db::DbConnection names;
    names.open(dbPath);
    names.readRowsUtf8(qm::db::DbConnection::toUtf8(items.statements().search), [&](const qm::db::RowValues& row) {
      const auto isTitle = [&](int c) { return c < row.columnCount() && qm::sjis::equalsIgnoreCaseAscii(row.name(c), "title"); };
      column = isTitle(0) ? 0 : isTitle(column) ? column : -1;
      return false;
    });
  }
  Listing listing{outcome.result < 0 || column < 0 ? 1 : 0, {}};
  for (int item = 0; outcome.result > 0 && column >= 0 && item < items.rowCount(); ++item)
    listing.output += qm::text::sjisToUtf8(items.cell(item, column)) + "\n";
  return listing;
}

class SearchOrderCliTest : public qm::test::LibraryCliTest {
protected:
  SearchOrderCliTest() {
    qm::db::DbConnection db;
    db.open(path);
    EXPECT_FALSE(db.execute(sjis(generatedRows())));
  }
  std::string storedView() { return query("SELECT sql FROM sqlite_master WHERE name='list_view';"); }

  const std::string path = temp.path() + "/Quillmoor.db";
};

TEST_F(SearchOrderCliTest, ListsTheWindowsRowsInTheWindowsOrderForEveryMode) {
  const std::string left = query("SELECT count(*) FROM sqlite_master WHERE name='list_view';");
  ASSERT_EQ(left, "0\n") << "a fresh library has no view";
  int listed = 0;
  for (const Search& search : kSearches) {
    const std::string arguments = "search --mode " + std::to_string(search.mode) + " --match " +
                                  std::to_string(search.match) + " '" + search.text + "'";
    const qm::test::CliRun run = cli(arguments);
    EXPECT_EQ(storedView(), "") << arguments << ": the library keeps no view";
    const Listing window = windowListing(path, search);
    ASSERT_EQ(sql("DROP VIEW IF EXISTS list_view;"), 0);
    EXPECT_EQ(run.exitCode, window.exitCode) << arguments << "\n" << run.output;
    if (window.exitCode == 0) {
      EXPECT_EQ(run.output, window.output) << arguments;
      listed += std::count(window.output.begin(), window.output.end(), '\n');
    }
  }
  EXPECT_GT(listed, kItems) << "the searches list rows";
}

}  // namespace

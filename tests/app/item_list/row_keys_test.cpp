// The item list's in-memory sort against SQLite's own ORDER BY, on generated
// rows that mix SQLite's storage classes in the sort columns: every order the
// list shows must be the one the list statement gives.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/item_list/group_pane.h"
#include "app/item_list/item_list.h"
#include "app/item_list/list_view_sql.h"
#include "app/item_list/row_keys.h"
#include "app/search/search_library.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::search::test {
namespace {

// Small pools, so that earlier columns tie often and later ones decide; kana
// is unique per row, so no two rows tie in every column and the order is
// fully determined. Values are SQL literals (UTF-8).
const std::vector<std::string> kTitles = {"'A'", "'a'", "'ab'", "''", "'海'", "'Ａ'", "'10'", "'9'"};
const std::vector<std::string> kMakers = {"'Let''s'", "''", "'ZZ'", "'デモ'"};
const std::vector<std::string> kMachines = {"'ファミコン'", "'MSX'", "'PC98'"};
const std::vector<std::string> kGenres = {"''", "'RPG'", "'アクション'"};
const std::vector<std::string> kRatings = {"0", "10", "'30'", "''", "20"};
const std::vector<std::string> kSaleYears = {"'0'", "'1990-05-00'", "'1990'", "1989"};
const std::vector<std::string> kBootCounts = {"0", "5", "'12'", "'3abc'", "''", "2.5", "NULL", "'-1'"};
const std::vector<std::string> kLastBoots = {"''", "'2024-01-02 10:00:00'", "'20240101'", "'1.5'", "NULL"};
const std::vector<std::string> kDevelopers = {"''", "'x'", "'X'"};
const std::vector<std::string> kPrices = {"'6800'", "'6,800'", "'1e3'", "''", "'abc'", "500", "NULL", "' 70'"};
const std::vector<std::string> kShort = {"''", "'1'", "'2'", "NULL"};

class RowKeysTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    std::mt19937 random(20261208);
    auto pick = [&](const std::vector<std::string>& pool) { return pool[random() % pool.size()]; };
    std::string sql = "BEGIN;";
    for (int i = 0; i < 1200; ++i) {
      const std::string file = "'G:\\gen\\" + std::to_string(i) + ".rom'";
      sql += "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, genre_name, "
             "rating, sale_year, boot_count, last_boot, developer, play_time, kana) VALUES (" +
             file + ", 'f', '.rom', " + pick(kMachines) + ", " + pick(kTitles) + ", " + pick(kMakers) + ", " +
             pick(kGenres) + ", " + pick(kRatings) + ", " + pick(kSaleYears) + ", " + pick(kBootCounts) + ", " +
             pick(kLastBoots) + ", " + pick(kDevelopers) + ", " + pick(kShort) + ", 'k" + std::to_string(i) + "');";
      // A third of the rows have no spec_table row: those columns are NULL.
      if (random() % 3 != 0) {
        sql += "INSERT INTO spec_table(pfile_sc, breed, price, media_detail, device, players, adultex_name, "
               "savedat_detail, sound_detail) VALUES (" +
               file + ", " + pick(kShort) + ", " + pick(kPrices) + ", " + pick(kShort) + ", " + pick(kShort) + ", " +
               pick(kShort) + ", " + pick(kShort) + ", " + pick(kShort) + ", " + pick(kShort) + ");";
      }
    }
    run(text::utf8ToSjis(sql + "COMMIT;"));
    other.open(dbPath());
    ASSERT_TRUE(items.recreateView());
  }

  // The list as shown against the list statement run by SQLite.
  void expectSqlOrder(const std::string& what) {
    ASSERT_FALSE(other.execute(items.lastStatement())) << what;
    ASSERT_EQ(items.rowCount(), other.rowCount()) << what;
    for (int i = 0; i < items.rowCount(); ++i) {
      if (items.fileNameAt(i) != other.cell(i + 1, 0)) {
        ADD_FAILURE() << what << ": item " << i << " is " << items.fileNameAt(i) << ", SQLite has "
                      << other.cell(i + 1, 0) << "\n" << items.lastStatement();
        return;
      }
    }
  }

  // Keys of mostly distinct values (times of the last boot, play times) are
  // kept as they come once a few thousand rows show it; a mix of storage
  // classes among them still sorts as SQLite sorts.
  void addDistinctRows(int rows) {
    run("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, last_boot, "
        "play_time, kana) SELECT 'G:\\many\\' || n || '.rom', 'f', '.rom', 'MSX', 'T' || (n % 7), "
        "CASE n % 5 WHEN 0 THEN 'M' ELSE 'N' END, CASE WHEN n % 3 = 0 THEN n ELSE '2024-' || (n * 7919 % 10007) "
        "END, CASE WHEN n % 11 = 0 THEN NULL WHEN n % 4 = 0 THEN n * 0.5 ELSE (n * 31 % 977) || ':00' END, "
        "'m' || n FROM (WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < " +
        std::to_string(rows) + ") SELECT n FROM c);");
  }

  ItemList items{list, checker, sink};
  db::DbConnection other;
};

TEST_F(RowKeysTest, EveryHeaderClickGivesTheOrderOfTheListStatement) {
  for (bool reading : {false, true}) {
    items.setReadingSort(reading);
    ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
    expectSqlOrder("reset");
    for (int column = 0; column < kColumnCount; ++column) {
      // Column 2 cycles through four directions, the others through two.
      for (int click = 0; click < (column == kMachineGenreColumn ? 4 : 2); ++click) {
        ASSERT_TRUE(items.sort(column, SortMode::Toggle));
        expectSqlOrder("column " + std::to_string(column) + " click " + std::to_string(click) +
                       (reading ? " reading" : ""));
      }
    }
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RowKeysTest, AViewOfAnotherMakeIsSortedThroughItsOwnJoins) {
  // Not the search builder's text: spec_table is not read on its own.
  std::string view = viewStatementWithoutSearch();
  view.insert(std::string("CREATE VIEW list_view AS SELECT ").size(), "ALL ");
  items.statements().view = view;
  ASSERT_TRUE(items.recreateView());
  for (int column : {kResetSort, 9, 8, 13, 15, 0}) {
    ASSERT_TRUE(items.sort(column, SortMode::Toggle));
    expectSqlOrder("another view, column " + std::to_string(column));
  }
}

TEST_F(RowKeysTest, GroupsSortInMemoryAndShowTheirRowsValues) {
  const struct {
    GroupKind kind;
    int item;
    std::string value;
  } groups[] = {
      {GroupKind::Maker, 1, "Let's"},      {GroupKind::Maker, 2, ""},      {GroupKind::Rating, 2, ""},
      {GroupKind::Adult, 2, ""},           {GroupKind::Maker, 0, ""},      {GroupKind::Genre, 1, "RPG"},
  };
  for (const auto& group : groups) {
    items.statements().group = groupFilterStatement(group.kind, group.item, group.value);
    ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
    expectSqlOrder(items.statements().group);
    ASSERT_TRUE(items.sort(5, SortMode::Descending));
    expectSqlOrder(items.statements().group + " by boot count");
  }
  // Every value of every row, read as it is drawn, against the statement's result.
  ASSERT_FALSE(other.execute(items.lastStatement()));
  for (int i = 0; i < items.rowCount(); i += 7) {
    for (int c = 0; c < other.columnCount(); ++c) ASSERT_EQ(items.cell(i, c), other.cell(i + 1, c)) << i << " " << c;
  }
  EXPECT_EQ(items.cell(items.rowCount(), 2), "");
  EXPECT_EQ(items.findItem("G:\\gen\\7.rom") >= 0, items.fileNameAt(items.findItem("G:\\gen\\7.rom")) == "G:\\gen\\7.rom");
}

TEST_F(RowKeysTest, GroupPaneValuesFromTheKeysAreTheDistinctValueQuerys) {
  EXPECT_FALSE(items.groupValues(GroupKind::Maker));  // nothing kept yet
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  for (GroupKind kind : {GroupKind::Maker, GroupKind::Genre, GroupKind::Adult, GroupKind::Machine, GroupKind::Rating}) {
    const auto values = items.groupValues(kind);
    ASSERT_TRUE(values) << static_cast<int>(kind);
    ASSERT_FALSE(other.execute(groupQuery(kind, "")));
    if (kind == GroupKind::Adult) {
      EXPECT_EQ(groupItemCount(kind, static_cast<int>(values->size())), groupItemCount(kind, other.rowCount()));
      continue;
    }
    ASSERT_EQ(static_cast<int>(values->size()), other.rowCount()) << static_cast<int>(kind);
    for (int row = 1; row <= other.rowCount(); ++row) EXPECT_EQ((*values)[row - 1], other.cell(row, 0));
  }
  // A changed library or an SQL search: the pane runs its query.
  run("UPDATE main_table SET maker='new' WHERE file_name='G:\\gen\\3.rom';");
  EXPECT_FALSE(items.groupValues(GroupKind::Maker));
  ASSERT_TRUE(items.sort(kSortAgain, SortMode::Toggle));
  EXPECT_TRUE(items.groupValues(GroupKind::Maker));
  // A search sorted in memory gives the values of its rows; once a group
  // narrows the list, or for a search run as it is, the pane runs its query.
  for (const char* search : {"SELECT * FROM list_view WHERE rating>0 ORDER BY rating DESC;",
                             "SELECT * FROM list_view WHERE rating>0 LIMIT 400;"}) {
    SCOPED_TRACE(search);
    items.statements().search = search;
    const bool inMemory = std::string(search).find("LIMIT") == std::string::npos;
    ASSERT_TRUE(items.sort(kSortAgain, SortMode::Toggle));
    for (GroupKind kind : {GroupKind::Maker, GroupKind::Genre, GroupKind::Machine, GroupKind::Rating}) {
      const auto values = items.groupValues(kind);
      ASSERT_EQ(values.has_value(), inMemory);
      if (!values) continue;
      ASSERT_FALSE(other.execute(groupQuery(kind, search)));
      ASSERT_EQ(static_cast<int>(values->size()), other.rowCount()) << static_cast<int>(kind);
      for (int row = 1; row <= other.rowCount(); ++row) EXPECT_EQ((*values)[row - 1], other.cell(row, 0));
    }
    items.statements().group = groupFilterStatement(GroupKind::Maker, 1, "Let's");
    ASSERT_TRUE(items.sort(kSortAgain, SortMode::Toggle));
    EXPECT_FALSE(items.groupValues(GroupKind::Maker));
    items.statements().group.clear();
  }
}

// With the view's rows held, each value the pane offers gives the rows its
// statement lists, over the whole library and over a search's view.
TEST_F(RowKeysTest, GroupsAreFoundAmongTheViewsRowsAsTheirStatementsFindThem) {
  run("UPDATE main_table SET maker=x'4142' WHERE file_name='G:\\gen\\5.rom';");  // a blob never equals a text
  for (const std::string where : {"", "WHERE (ply<2) AND (title LIKE '%a%') ;"}) {
    if (!where.empty()) {
      ASSERT_FALSE(items.replaceView(viewHead() + where).error);
    }
    items.statements().group.clear();
    ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
    const int before = items.groupLists();
    int groups = 0;
    for (GroupKind kind : {GroupKind::Maker, GroupKind::Genre, GroupKind::Machine, GroupKind::Rating}) {
      const auto values = items.groupValues(kind);
      ASSERT_TRUE(values);
      const int count = groupItemCount(kind, static_cast<int>(values->size()));
      for (int item = 1; item < count; ++item) {
        const std::string value = kind == GroupKind::Rating ? "" : (*values)[static_cast<std::size_t>(item - 1)];
        items.statements().group = groupFilterStatement(kind, item, value);
        ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
        expectSqlOrder(where + items.statements().group);
        ++groups;
        items.statements().group.clear();
        ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
      }
    }
    EXPECT_EQ(items.groupLists() - before, groups) << where;
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RowKeysTest, AChangedLibraryIsReadAgainAtTheNextSort) {
  ASSERT_TRUE(items.sort(kResetSort, SortMode::Toggle));
  const int rows = items.rowCount();
  // Through another connection, as an edit or the registration worker writes.
  run("UPDATE main_table SET title='!first' WHERE file_name='G:\\gen\\500.rom';");
  run("DELETE FROM main_table WHERE file_name='G:\\gen\\501.rom';");
  ASSERT_TRUE(items.sort(kSortAgain, SortMode::Toggle));
  EXPECT_EQ(items.rowCount(), rows - 1);
  EXPECT_EQ(items.findItem("G:\\gen\\501.rom"), -1);
  EXPECT_EQ(items.cell(items.findItem("G:\\gen\\500.rom"), 2), "!first");
  expectSqlOrder("after another connection's changes");
  // And through the list connection itself.
  ASSERT_FALSE(list.execute("UPDATE main_table SET title='!!' WHERE file_name='G:\\gen\\9.rom';"));
  ASSERT_TRUE(items.sort(kSortAgain, SortMode::Toggle));
  EXPECT_EQ(items.cell(items.findItem("G:\\gen\\9.rom"), 2), "!!");
  expectSqlOrder("after the list connection's change");
}

// A typed search that only narrows the view is sorted in memory too; its
// order, with and without a group, and after header clicks, is the list
// statement's. Any other statement runs as it is.
TEST_F(RowKeysTest, PlainSqlSearchesGiveTheOrderOfTheListStatement) {
  const struct {
    const char* search;
    bool inMemory;
  } searches[] = {
      {"SELECT * FROM list_view", true},
      {"SELECT * FROM list_view WHERE rating>=20", true},
      {"select * from list_view where maker<>'' order by boot_count desc", true},
      {"SELECT * FROM list_view WHERE price+0>100 ORDER BY title", true},
      {"SELECT * FROM list_view WHERE kana>'k5' ORDER BY rating DESC LIMIT 40", false},
  };
  const std::string groups[] = {"", groupFilterStatement(GroupKind::Maker, 1, "Let's")};
  for (const std::string& group : groups) {
    for (const auto& search : searches) {
      const std::string what = std::string(search.search) + " / " + group;
      items.statements().group = group;
      items.statements().search = search.search;
      const SortRequest request = sortOfStatement(search.search);
      for (int column : {request.column, 3, 3, 2, 9, 5}) {
        // Sorted in memory, the list connection's result table is not the list.
        ASSERT_FALSE(list.execute("SELECT 1 WHERE 0;"));
        ASSERT_TRUE(items.sort(column, column == request.column ? request.mode : SortMode::Toggle)) << what;
        EXPECT_EQ(list.rowCount(), search.inMemory ? 0 : items.rowCount()) << what;
        expectSqlOrder(what + " column " + std::to_string(column));
      }
    }
  }
  // A failing statement is still reported, as the list statement's.
  items.statements().group.clear();
  items.statements().search = "SELECT * FROM list_view WHERE no_such_column=1";
  EXPECT_FALSE(items.sort(kSortAgain, SortMode::Toggle));
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sink.messages()[0].caption, "ItemListClmSort:SQLSearch");
}

// Searches take their keys from the library's, kept across views until the
// library changes; a view that lists what the library's keys lack is read in
// full.
TEST_F(RowKeysTest, SearchesReadTheLibrarysKeysOnceUntilItChanges) {
  const std::string head = viewHead();
  const auto search = [&](const std::string& where) {
    ASSERT_FALSE(items.replaceView(head + where).error) << where;
    ASSERT_TRUE(items.sort(kTitleColumn, SortMode::Ascending)) << where;
    expectSqlOrder(where);
  };
  search("WHERE (ply<2) AND (title LIKE '%a%') ;");
  search("WHERE (ply<2) AND (maker='ZZ') ;");
  run("UPDATE main_table SET title='A', kana='!' WHERE file_name='G:\\gen\\44.rom';");
  search("WHERE (ply<2) AND (title LIKE '%a%') ;");
  EXPECT_EQ(items.titleUtf8(0), "A");
  EXPECT_EQ(items.fileNameAt(items.findItem("G:\\gen\\44.rom")), "G:\\gen\\44.rom");
  // Child images are not among the library's keys.
  run("UPDATE main_table SET ply=2 WHERE file_name='G:\\gen\\45.rom';");
  search("WHERE ply<3 ;");
  EXPECT_GE(items.findItem("G:\\gen\\45.rom"), 0);
  search("WHERE ply<2 ;");
  EXPECT_EQ(items.findItem("G:\\gen\\45.rom"), -1);
  EXPECT_TRUE(sink.messages().empty());
}

// The status bar's title count is taken again only when the view is made
// again for edits, never for a search.
TEST_F(RowKeysTest, OnlyRecreatingTheViewCountsAsAChangedLibrary) {
  const int generation = items.viewGeneration();
  ASSERT_FALSE(items.replaceView(viewHead() + "WHERE (ply<2) AND (title LIKE '%a%') ;").error);
  EXPECT_EQ(items.viewGeneration(), generation);
  ASSERT_TRUE(items.recreateView());
  EXPECT_EQ(items.viewGeneration(), generation + 1);
}

TEST_F(RowKeysTest, ManyRowsOfMostlyDistinctValuesSortAsSqliteDoes) {
  addDistinctRows(12000);
  ASSERT_TRUE(items.recreateView());
  for (int column : {6, 16, 6, 1, 0}) {
    ASSERT_TRUE(items.sort(column, SortMode::Toggle));
    expectSqlOrder("column " + std::to_string(column));
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RowKeysTest, KeysReadByTwoThreadsAreTheKeysReadByOne) {
  addDistinctRows(9000);
  RowKeys two, one;
  ASSERT_FALSE(two.readLibrary(list, 0));
  ASSERT_FALSE(one.readLibrary(list, 1 << 30));
  ASSERT_EQ(two.rowCount(), one.rowCount());
  ASSERT_GE(one.rowCount(), 1200 + 9000);
  for (int row = 0; row < one.rowCount(); ++row) {
    ASSERT_EQ(two.fileNameUtf8(row), one.fileNameUtf8(row));
    for (int key = 0; key < kSortKeyCount; ++key) ASSERT_EQ(two.textUtf8(row, key), one.textUtf8(row, key)) << row;
  }
  for (int column = 0; column < kColumnCount; ++column) {
    SortState sort;
    sort.apply(column, SortMode::Descending, false);
    ASSERT_EQ(two.order(sortTerms(sort)), one.order(sortTerms(sort))) << column;
  }
  EXPECT_GE(one.rowsByFileName().find("G:\\many\\77.rom"), 1200);
  EXPECT_EQ(two.rowsByFileName().find("G:\\many\\77.rom"), one.rowsByFileName().find("G:\\many\\77.rom"));
  EXPECT_EQ(one.rowsByFileName().size(), static_cast<std::size_t>(one.rowCount()));
}

TEST(SortKeyStatement, ReadsTheKeysOfTheGroupPanesStatementsOnly) {
  EXPECT_EQ(*sortKeyStatement(""),
            "SELECT file_name, title, maker, machine_name, genre_name, rating, sale_year, boot_count+0, last_boot, "
            "developer, breed, price+0, media_detail, device, players, adultex_name, savedat_detail, "
            "sound_detail, play_time, kana FROM list_view;");
  const std::string rating = *sortKeyStatement("SELECT * FROM list_view WHERE rating=0;");
  EXPECT_EQ(rating.substr(rating.find(" kana ")), " kana FROM list_view WHERE rating=0;");
  EXPECT_FALSE(sortKeyStatement("SELECT title FROM list_view ;"));
}

}  // namespace
}  // namespace qm::search::test

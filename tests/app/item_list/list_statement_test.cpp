// The statement that fills the item list, from the three statements and the sort.
#include <gtest/gtest.h>

#include <string>

#include "app/item_list/list_statement.h"

namespace qm::search {
namespace {

constexpr const char* kSort = "rating DESC, title ";
constexpr const char* kGroupMachine = "SELECT * FROM list_view WHERE machine_name='X' ;";

struct Case {
  const char* what;
  const char* group;
  const char* search;
  const char* statement;
};

TEST(ListStatement, WithoutSqlSearch) {
  const Case cases[] = {
      {"all", "", "", "SELECT * FROM list_view ORDER BY rating DESC, title  ;"},
      {"group", kGroupMachine, "", "SELECT * FROM list_view WHERE machine_name='X'  ORDER BY rating DESC, title  ;"},
      {"rating group", "SELECT * FROM list_view WHERE rating=0;", "",
       "SELECT * FROM list_view WHERE rating=0 ORDER BY rating DESC, title  ;"},
      {"value with a semicolon", "SELECT * FROM list_view WHERE maker='a;b' ;", "",
       "SELECT * FROM list_view WHERE maker='a;b'  ORDER BY rating DESC, title  ;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(listStatement({"", c.group, c.search}, kSort), c.statement);
  }
}

TEST(ListStatement, WithSqlSearch) {
  const Case cases[] = {
      {"a random sample of five", kGroupMachine,
       "SELECT * FROM list_view WHERE title LIKE '%a%' ORDER BY RANDOM() LIMIT 5;",
       "SELECT * FROM list_view WHERE ( machine_name='X' ) AND ( title LIKE '%a%' )  ORDER BY  RANDOM() LIMIT 5 ;"},
      {"no group, own order replaced", "", "SELECT * FROM list_view WHERE rating>10 ORDER BY kana;",
       "SELECT * FROM list_view WHERE rating>10  ORDER BY rating DESC, title  ;"},
      {"limit kept after the sort", "", "  SELECT * FROM list_view LIMIT 20 ;  ",
       "SELECT * FROM list_view  ORDER BY rating DESC, title LIMIT 20  ;"},
      {"no WHERE: the group's is appended", kGroupMachine, "SELECT * FROM list_view",
       "SELECT * FROM list_view WHERE  machine_name='X'  ORDER BY rating DESC, title  ;"},
      {"without a semicolon nothing is cut", "", "SELECT * FROM list_view WHERE kana='a'",
       "SELECT * FROM list_view WHERE kana='a' ORDER BY rating DESC, title  ;"},
      {"keywords in literals stay", kGroupMachine,
       "SELECT * FROM list_view WHERE title='x ORDER BY y LIMIT 3 WHERE' ;",
       "SELECT * FROM list_view WHERE ( machine_name='X' ) AND ( title='x ORDER BY y LIMIT 3 WHERE' ) "
       " ORDER BY rating DESC, title  ;"},
      {"sub-select clauses stay", kGroupMachine,
       "SELECT * FROM list_view WHERE file_name IN (SELECT pfile_fv FROM favorite_table WHERE fave LIKE '%1%' "
       "ORDER BY pfile_fv LIMIT 9);",
       "SELECT * FROM list_view WHERE ( machine_name='X' ) AND ( file_name IN (SELECT pfile_fv FROM "
       "favorite_table WHERE fave LIKE '%1%' ORDER BY pfile_fv LIMIT 9)) "
       " ORDER BY rating DESC, title  ;"},
      {"a GROUP BY keeps its place", kGroupMachine,
       "SELECT * FROM list_view WHERE rating>0 GROUP BY maker;",
       "SELECT * FROM list_view WHERE ( machine_name='X' ) AND ( rating>0 ) GROUP BY maker ORDER BY rating DESC, "
       "title  ;"},
      {"the 'all' group adds nothing", "SELECT * FROM list_view ;", "SELECT * FROM list_view WHERE a=1",
       "SELECT * FROM list_view WHERE a=1 ORDER BY rating DESC, title  ;"},
      {"random in lower case", "", "select * from list_view order by random() limit 3",
       "select * from list_view  ORDER BY  random() limit 3 ;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(listStatement({"", c.group, c.search}, kSort), c.statement);
  }
}

TEST(ListStatement, StatementOwnSortList) {
  struct SortCase {
    const char* search;
    const char* list;
  };
  const SortCase cases[] = {
      {"SELECT * FROM list_view ORDER BY file_name;", " file_name"},
      {"SELECT * FROM list_view ORDER BY file_name", " file_name"},  // no character lost
      {"SELECT * FROM list_view ORDER BY crc32 DESC LIMIT 5;", " crc32 DESC "},
      {"SELECT * FROM list_view", " "},
      {"SELECT * FROM list_view WHERE title='ORDER BY x'", " "},
      {"SELECT * FROM list_view WHERE f IN (SELECT x FROM t ORDER BY y) ORDER BY z;", " z"},
  };
  for (const SortCase& c : cases) EXPECT_EQ(statementSortList(c.search), c.list) << c.search;

  // A blank list (no ORDER BY of its own) leaves the clause out rather than break it.
  EXPECT_EQ(listStatement({"", "", ""}, " "), "SELECT * FROM list_view ;");
  EXPECT_EQ(listStatement({"", "", "SELECT * FROM list_view LIMIT 3"}, " "), "SELECT * FROM list_view LIMIT 3 ;");

  SortState sort;
  sort.apply(kKeepStatementOrder, SortMode::Toggle, false);
  const ListStatements statements{"", "", "SELECT * FROM list_view ORDER BY crc32 DESC LIMIT 5;"};
  EXPECT_EQ(listStatement(statements, sortListFor(sort, statements)),
            "SELECT * FROM list_view  ORDER BY  crc32 DESC LIMIT 5 ;");
}

// Only a search that narrows list_view may be sorted from the library's keys:
// its rows, unsorted and with the group's condition, and nothing for anything
// whose rows or order only the statement itself gives.
TEST(ListStatement, SearchRowStatementOnlyForPlainNarrowingSearches) {
  const std::string maker = "SELECT * FROM list_view WHERE maker='X' ;";
  const struct {
    const char* search;
    std::string group;
    const char* rows;  // nullptr: none
  } cases[] = {
      {"SELECT * FROM list_view", "", "SELECT file_name FROM list_view ;"},
      {"SELECT * FROM list_view WHERE rating>=30;", "", "SELECT file_name FROM list_view WHERE rating>=30 ;"},
      {"  select * from list_view where a=1 order by rating desc ; ", "",
       "SELECT file_name FROM list_view where a=1  ;"},
      {"SELECT * FROM list_view WHERE a=1", maker,
       "SELECT file_name FROM list_view WHERE ( maker='X' ) AND ( a=1)  ;"},
      {"SELECT * FROM list_view", maker, "SELECT file_name FROM list_view WHERE  maker='X'  ;"},
      {"SELECT * FROM list_view WHERE title='x LIMIT 1' OR f IN (SELECT a FROM t LIMIT 1)", "",
       "SELECT file_name FROM list_view WHERE title='x LIMIT 1' OR f IN (SELECT a FROM t LIMIT 1) ;"},
      {"SELECT * FROM list_view LIMIT 5", "", nullptr},
      {"SELECT * FROM list_view WHERE a=1 ORDER BY rating LIMIT 5 OFFSET 2", "", nullptr},
      {"SELECT * FROM list_view ORDER BY RANDOM()", "", nullptr},
      {"SELECT * FROM list_view GROUP BY maker", "", nullptr},
      {"SELECT * FROM list_view WHERE a=1 GROUP BY maker HAVING count(*)>1", "", nullptr},
      {"SELECT * FROM list_view WHERE a=1 UNION SELECT * FROM list_view WHERE b=1", "", nullptr},
      {"SELECT * FROM list_view WHERE a=1 EXCEPT SELECT * FROM list_view", "", nullptr},
      {"SELECT * FROM list_view, main_table WHERE a=1", "", nullptr},
      {"SELECT * FROM list_view AS v WHERE a=1", "", nullptr},
      {"SELECT * FROM list_view_2 WHERE a=1", "", nullptr},
      {"SELECT DISTINCT * FROM list_view", "", nullptr},
      {"SELECT title FROM list_view", "", nullptr},
      {"SELECT * FROM main_table", "", nullptr},
      {"", "", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.search);
    const std::optional<std::string> rows = searchRowStatement({"", c.group, c.search});
    if (!c.rows) {
      EXPECT_FALSE(rows) << *rows;
      continue;
    }
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, c.rows);
  }
}

}  // namespace
}  // namespace qm::search

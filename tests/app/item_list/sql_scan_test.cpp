// Clauses of typed statements are found at the top level only.
#include <gtest/gtest.h>

#include <string>

#include "app/item_list/sql_scan.h"
#include "common/text/encoding.h"

namespace qm::search {
namespace {

// Position of the marker "^" in `marked` (removed), or kNotFound without one.
struct Marked {
  std::string sql;
  std::size_t at;
};
Marked mark(std::string marked) {
  const std::size_t at = marked.find('^');
  if (at != std::string::npos) marked.erase(at, 1);
  return {marked, at};
}

TEST(SqlScan, FirstWhereAtTheTopLevel) {
  const char* cases[] = {
      "SELECT * FROM list_view ^WHERE a=1",
      "SELECT * FROM list_view ^where a=1",
      "SELECT * FROM list_view ^WhErE a=1 WHERE",
      "SELECT 'WHERE' FROM list_view ^WHERE a",
      "SELECT \"where\" FROM list_view ^WHERE a",
      "SELECT `where`, [where] FROM list_view ^WHERE a",
      "SELECT * FROM (SELECT * FROM t WHERE x) ^WHERE a",
      "SELECT * FROM list_view -- WHERE\n^WHERE a",
      "SELECT * FROM list_view /* WHERE */ ^WHERE a",
      "SELECT * FROM list_view",
      "SELECT * FROM list_view_where WHERE_x",
      "SELECT * FROM list_view WHERE2",
      "SELECT 'it''s WHERE' FROM list_view ^WHERE a",
      "SELECT * FROM list_view ^WHERE title='unclosed WHERE",
      "SELECT * FROM (SELECT * FROM t WHERE (x)",
  };
  for (const char* c : cases) {
    const Marked m = mark(c);
    EXPECT_EQ(findFirstTopLevel(m.sql, {"WHERE"}), m.at) << c;
  }
}

TEST(SqlScan, LastOrderByAndLimitAtTheTopLevel) {
  struct Case {
    const char* sql;
    std::initializer_list<std::string_view> words;
  };
  const Case cases[] = {
      {"SELECT * FROM list_view ^ORDER BY title", {"ORDER", "BY"}},
      {"SELECT * FROM list_view ORDER BY a ^order\n  by title", {"ORDER", "BY"}},
      {"SELECT * FROM list_view ^ORDER/* x */BY title", {"ORDER", "BY"}},
      {"SELECT * FROM list_view WHERE title='ORDER BY' ^ORDER BY kana", {"ORDER", "BY"}},
      {"SELECT * FROM list_view WHERE f IN (SELECT x FROM t ORDER BY y LIMIT 1)", {"ORDER", "BY"}},
      {"SELECT * FROM list_view WHERE f IN (SELECT x FROM t ORDER BY y LIMIT 1)", {"LIMIT"}},
      {"SELECT * FROM list_view WHERE ((a) OR (b)) ^LIMIT 5", {"LIMIT"}},
      {"SELECT * FROM list_view WHERE title LIKE '%limit%' -- LIMIT 3", {"LIMIT"}},
      {"SELECT * FROM list_view ORDER BY x ^LIMIT 5 -- LIMIT 9", {"LIMIT"}},
      {"SELECT * FROM list_view ORDER title", {"ORDER", "BY"}},
  };
  for (const Case& c : cases) {
    const Marked m = mark(c.sql);
    EXPECT_EQ(findLastTopLevel(m.sql, c.words), m.at) << c.sql;
  }
}

TEST(SqlScan, ShiftJisTrailBytesOpenNothing) {
  // "ー" is 0x81 0x5B and "ソ" 0x83 0x5C: neither opens a bracket nor escapes.
  const std::string sql = text::sjis("SELECT * FROM list_view WHERE title='ソー' AND maker=ー ^WHERE");
  const Marked m = mark(sql);
  EXPECT_EQ(findFirstTopLevel(m.sql, {"WHERE"}), m.sql.find("WHERE"));
  EXPECT_EQ(findLastTopLevel(m.sql, {"WHERE"}), m.at);
  const std::string words = text::sjis("SELECT ゲーム FROM t");
  ASSERT_EQ(topLevelWords(words).size(), 4u);
  EXPECT_EQ(topLevelWords(words)[1].length, 6u);
}

TEST(SqlScan, EndOfARunIsAfterItsLastWord) {
  const std::string sql = "SELECT * FROM list_view where  x=1";
  EXPECT_EQ(endOfFirstTopLevel(sql, {"WHERE"}), sql.find("  x"));
  EXPECT_EQ(endOfFirstTopLevel(sql, {"GROUP", "BY"}), kNotFound);
}

TEST(SqlScan, OnlyAFinalSemicolonIsRemoved) {
  struct Case {
    const char* sql;
    const char* without;
  };
  const Case cases[] = {
      {"SELECT * FROM list_view ;", "SELECT * FROM list_view "},
      {"SELECT * FROM list_view;", "SELECT * FROM list_view"},
      {"SELECT * FROM list_view", "SELECT * FROM list_view"},  // the last character stays
      {"SELECT * FROM list_view WHERE a=1", "SELECT * FROM list_view WHERE a=1"},
      {"SELECT * FROM list_view;  \r\n", "SELECT * FROM list_view"},
      {"SELECT * FROM list_view; -- done", "SELECT * FROM list_view"},
      {"SELECT * FROM list_view -- no semicolon", "SELECT * FROM list_view"},
      {"SELECT ';' FROM list_view WHERE t=';'", "SELECT ';' FROM list_view WHERE t=';'"},
      {"SELECT * FROM list_view WHERE t='a;'  ", "SELECT * FROM list_view WHERE t='a;'"},
      {"", ""},
      {";", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(withoutFinalSemicolon(c.sql), c.without) << c.sql;
}

TEST(SqlScan, TrimBlanks) {
  EXPECT_EQ(trimBlanks("  \tSELECT 1 \r\n"), "SELECT 1");
  EXPECT_EQ(trimBlanks("   "), "");
}

}  // namespace
}  // namespace qm::search

// Our LIKE must answer as SQLite's own does: every case is asked of both, on
// generated patterns and texts over an alphabet of the characters that
// matter (letters of both cases, wildcards, escapes, characters of two to
// four bytes, broken and non-shortest byte sequences).
#include "common/db/like_function.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/db/db_connection.h"
#include "tests/support/temp_folder.h"

namespace qm::db {
namespace {

struct SqliteCloser {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Handle = std::unique_ptr<sqlite3, SqliteCloser>;

Handle openMemory(bool ours) {
  sqlite3* raw = nullptr;
  sqlite3_open(":memory:", &raw);
  Handle db(raw);
  if (ours) registerLikeFunction(db.get());
  return db;
}

// The answer of `text LIKE pattern [ESCAPE escape]`: "1", "0", "NULL" or "error: ...".
std::string ask(sqlite3* db, const std::string& pattern, const std::string* text, const std::string* escape) {
  const std::string sql = escape ? "SELECT ?2 LIKE ?1 ESCAPE ?3" : "SELECT ?2 LIKE ?1";
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) return "prepare failed";
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
  sqlite3_bind_text(raw, 1, pattern.data(), static_cast<int>(pattern.size()), SQLITE_TRANSIENT);
  if (text) sqlite3_bind_text(raw, 2, text->data(), static_cast<int>(text->size()), SQLITE_TRANSIENT);
  if (escape) sqlite3_bind_text(raw, 3, escape->data(), static_cast<int>(escape->size()), SQLITE_TRANSIENT);
  if (sqlite3_step(raw) != SQLITE_ROW) return std::string("error: ") + sqlite3_errmsg(db);
  if (sqlite3_column_type(raw, 0) == SQLITE_NULL) return "NULL";
  return std::to_string(sqlite3_column_int(raw, 0));
}

const std::vector<std::string>& alphabet() {
  static const std::vector<std::string> pieces = {
      "a", "A", "b", "z", "Z", "%", "_", "`", "\\", " ", "1",
      "\xC3\xA9",                  // é
      "\xE9\xA8\x8E",              // 騎
      "\xE5\xA3\xAB",              // 士
      "\xEF\xBD\x81",              // ａ (full width: no case folding)
      "\xF0\x9F\x98\x80",          // four bytes
      "\x80",                      // a stray continuation byte
      "\xC3",                      // a lead byte alone
      "\xC0\x81",                  // non-shortest
      "\xED\xA0\x80",              // a surrogate
      "\xEF\xBF\xBD", "\xEF\xBF\xBE",  // U+FFFD and U+FFFE, which reads as U+FFFD
      std::string("\0", 1),        // the text ends here for LIKE
  };
  return pieces;
}

std::string randomText(std::mt19937& random, int maxPieces, bool wrapInPercent) {
  std::uniform_int_distribution<int> count(0, maxPieces);
  std::uniform_int_distribution<std::size_t> piece(0, alphabet().size() - 1);
  std::string out = wrapInPercent ? "%" : "";
  for (int n = count(random); n > 0; --n) out += alphabet()[piece(random)];
  if (wrapInPercent) out += "%";
  return out;
}

TEST(LikeFunction, AnswersAsSqlitesOwnOnGeneratedCases) {
  const Handle ours = openMemory(true);
  const Handle theirs = openMemory(false);
  std::mt19937 random(20261209);
  const std::vector<std::string> escapes = {"`", "%", "_", "\xE9\xA8\x8E", "ab", "", "\x80"};
  int compared = 0;
  for (int round = 0; round < 10000; ++round) {
    const bool contains = round % 2 == 0;  // half the patterns take the byte search
    const std::string pattern = randomText(random, contains ? 3 : 6, contains);
    const std::string text = randomText(random, 8, false);
    const std::string* escape = round % 3 == 0 ? &escapes[static_cast<std::size_t>(round / 3) % escapes.size()] : nullptr;
    ASSERT_EQ(ask(ours.get(), pattern, &text, escape), ask(theirs.get(), pattern, &text, escape))
        << "pattern [" << pattern << "] text [" << text << "] escape [" << (escape ? *escape : "none") << "]";
    ++compared;
  }
  EXPECT_EQ(compared, 10000);
}

TEST(LikeFunction, SearchBarPatternsNullsAndLimits) {
  const Handle ours = openMemory(true);
  const Handle theirs = openMemory(false);
  struct Case {
    std::string pattern, text;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"%\xE9\xA8\x8E\xE5\xA3\xAB%", "file.d88\xE6\x98\x9F\xE3\x81\xAE\xE9\xA8\x8E\xE5\xA3\xAB", "1"},
      {"%KIS%", "the kiss", "1"},
      {"%kis%", "KISS", "1"},
      {"%\xEF\xBD\x81%", "\xEF\xBC\xA1", "0"},  // full-width letters keep their case
      {"%a`%b%", "xa%bx", "0"},                 // without ESCAPE the backquote is a character
      {"%%", "", "1"},
      {"%x%", "", "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ask(ours.get(), c.pattern, &c.text, nullptr), c.expected) << c.pattern << " / " << c.text;
    EXPECT_EQ(ask(theirs.get(), c.pattern, &c.text, nullptr), c.expected) << c.pattern << " / " << c.text;
  }
  const std::string escape = "`";
  const std::string text = "xa%bx";
  EXPECT_EQ(ask(ours.get(), "%a`%b%", &text, &escape), "1");
  EXPECT_EQ(ask(ours.get(), "%a%", nullptr, nullptr), "NULL");
  sqlite3_limit(ours.get(), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 4);
  EXPECT_EQ(ask(ours.get(), "%abcd%", &text, nullptr), "error: LIKE or GLOB pattern too complex");
}

TEST(LikeFunction, APatternReadOnceAnswersAsTheFunction) {
  std::mt19937 random(7);
  const std::vector<char32_t> escapes = {0, U'`', U'%', U'_'};
  for (int round = 0; round < 4000; ++round) {
    const std::string pattern = randomText(random, 3, round % 2 == 0);
    const std::string text = randomText(random, 8, false);
    const char32_t escape = escapes[static_cast<std::size_t>(round) % escapes.size()];
    const std::string cut = text.substr(0, text.find('\0'));
    const bool expected = likeMatches(pattern, text, escape);
    ASSERT_EQ(LikePattern(pattern, escape).matches(cut.c_str()), expected) << "pattern [" << pattern << "] text [" << text << "]";
    // Told the text is plain (as the search's kept texts are), it answers the same.
    ASSERT_EQ(LikePattern(pattern, escape).matches(cut.c_str(), plainUtf8(cut)), expected) << "pattern [" << pattern << "]";
  }
  EXPECT_TRUE(likeMatches("%\xE5\xA3\xAB%", "\xE9\xA8\x8E\xE5\xA3\xAB"));
  EXPECT_FALSE(likeMatches("%a`%%", "a", U'`'));
}

}  // namespace
}  // namespace qm::db

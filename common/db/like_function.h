// The LIKE operator of every connection, in place of SQLite's own: the same
// answers (ASCII letters without regard to case, "%" and "_" as wildcards, an
// optional one-character ESCAPE, text read up to its first NUL, NULL when
// either side is NULL), but a pattern of the form "%text%" without other
// wildcards, which every search of the search bar is, is looked for as bytes
// instead of character by character. SQLite's reads each character of every
// row, which made a search of the whole library several times slower.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;

namespace qm::db {

// Whether `text` is LIKE `pattern` (ESCAPE `escape`, 0 for none), with the
// rules of SQLite's LIKE; both are read up to their first NUL.
bool likeMatches(std::string_view pattern, std::string_view text, char32_t escape = 0);

// Whether every character of `text` (up to its first NUL) is well formed
// and read by LIKE as no other byte sequence is: such texts are compared as bytes.
bool plainUtf8(std::string_view text);

// One pattern asked of many texts held in memory: the pattern is read once.
class LikePattern {
public:
  LikePattern(std::string_view pattern, char32_t escape);
  // `text` must end with a NUL (a std::string's c_str()). `plain`: the
  // caller knows plainUtf8() of it to be true, and it is not read again.
  bool matches(const char* text, bool plain = false) const;

private:
  std::string pattern_;
  std::string literal_;  // the text of "%text%", ASCII letters small; empty for others
  std::uint32_t all_, one_, escape_;
};

// SQLite's result code of the registration (like() with two and three arguments).
int registerLikeFunction(sqlite3* db);

}  // namespace qm::db

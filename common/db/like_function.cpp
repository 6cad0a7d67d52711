#include "common/db/like_function.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace qm::db {
namespace {

enum class Compare { Match, NoMatch, NoWildcardMatch };

// The wildcards in force: the escape character, when it is one of them,
// takes its place (0: no such wildcard).
struct Rules {
  std::uint32_t all = '%';
  std::uint32_t one = '_';
  std::uint32_t escape = 0;
};

// One character as SQLite reads it: a lead byte takes every continuation
// byte after it, and an overlong form, a surrogate or U+FFFE/U+FFFF reads
// as U+FFFD. A stray continuation byte is a character of its own.
std::uint32_t readChar(const unsigned char*& p) {
  std::uint32_t c = *p++;
  if (c < 0xC0) return c;
  if (c < 0xE0) c &= 0x1F;
  else if (c < 0xF0) c &= 0x0F;
  else if (c < 0xF8) c &= 0x07;
  else if (c < 0xFC) c &= 0x03;
  else if (c < 0xFE) c &= 0x01;
  else c = 0;
  while ((*p & 0xC0) == 0x80) c = (c << 6) + (0x3F & *p++);
  if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE) c = 0xFFFD;
  return c;
}

std::uint32_t lowerAscii(std::uint32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
std::uint32_t upperAscii(std::uint32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

// NoWildcardMatch: no later place of a "%" before can match either, which
// keeps a pattern of many "%" from trying every split of the text.
Compare compare(const unsigned char* pattern, const unsigned char* text, const Rules& rules) {
  const unsigned char* escaped = nullptr;  // just past the last escaped pattern character
  std::uint32_t c;
  while ((c = readChar(pattern)) != 0) {
    if (c == rules.all) {
      while ((c = readChar(pattern)) == rules.all || (c == rules.one && rules.one != 0)) {
        if (c == rules.one && readChar(text) == 0) return Compare::NoWildcardMatch;
      }
      if (c == 0) return Compare::Match;
      if (c == rules.escape) {
        c = readChar(pattern);
        if (c == 0) return Compare::NoWildcardMatch;
      }
      if (c < 0x80) {
        const unsigned char lower = static_cast<unsigned char>(lowerAscii(c));
        const unsigned char upper = static_cast<unsigned char>(upperAscii(c));
        for (;;) {
          while (*text && *text != lower && *text != upper) ++text;
          if (*text == 0) break;
          ++text;
          const Compare rest = compare(pattern, text, rules);
          if (rest != Compare::NoMatch) return rest;
        }
      } else {
        std::uint32_t c2;
        while ((c2 = readChar(text)) != 0) {
          if (c2 != c) continue;
          const Compare rest = compare(pattern, text, rules);
          if (rest != Compare::NoMatch) return rest;
        }
      }
      return Compare::NoWildcardMatch;
    }
    if (c == rules.escape) {
      c = readChar(pattern);
      if (c == 0) return Compare::NoMatch;
      escaped = pattern;
    }
    const std::uint32_t c2 = readChar(text);
    if (c == c2) continue;
    if (c < 0x80 && c2 < 0x80 && lowerAscii(c) == lowerAscii(c2)) continue;
    if (c == rules.one && pattern != escaped && c2 != 0) continue;
    return Compare::NoMatch;
  }
  return *text == 0 ? Compare::Match : Compare::NoMatch;
}

// Length of the well-formed character at `p` whose bytes no other byte
// sequence reads as, or 0. Only such texts may be compared as bytes.
std::size_t plainCharLength(const unsigned char* p) {
  const unsigned char b = p[0];
  if (b < 0x80) return 1;
  auto follows = [&](int k) { return (p[k] & 0xC0) == 0x80; };
  if (b >= 0xC2 && b <= 0xDF) return follows(1) ? 2 : 0;
  if (b >= 0xE0 && b <= 0xEF) {
    if (!follows(1) || !follows(2)) return 0;
    if (b == 0xE0 && p[1] < 0xA0) return 0;            // overlong
    if (b == 0xED && p[1] >= 0xA0) return 0;           // surrogate
    if (b == 0xEF && p[1] == 0xBF && p[2] >= 0xBE) return 0;  // U+FFFE, U+FFFF read as U+FFFD
    return 3;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    if (!follows(1) || !follows(2) || !follows(3)) return 0;
    if (b == 0xF0 && p[1] < 0x90) return 0;
    if (b == 0xF4 && p[1] >= 0x90) return 0;
    return 4;
  }
  return 0;
}

bool plainText(const unsigned char* p) {
  while (*p) {
    const std::size_t length = plainCharLength(p);
    if (length == 0) return false;
    p += length;
  }
  return true;
}

// The text between the "%" of a pattern "%text%" whose text holds no other
// wildcard, escapes resolved and ASCII letters made small; false for any
// other pattern, or one whose characters could read otherwise.
bool containedLiteral(const unsigned char* pattern, const Rules& rules, std::string& literal) {
  if (rules.all == 0 || pattern[0] != rules.all) return false;
  const unsigned char* p = pattern + 1;
  while (*p) {
    const unsigned char* start = p;
    std::uint32_t c = readChar(p);
    if (c == rules.all) return *p == 0 && !literal.empty();
    if (c == rules.one && rules.one != 0) return false;
    if (c == rules.escape) {
      start = p;
      c = readChar(p);
      if (c == 0) return false;
    }
    const std::size_t length = plainCharLength(start);
    if (length != static_cast<std::size_t>(p - start)) return false;
    for (const unsigned char* b = start; b < p; ++b) literal += static_cast<char>(lowerAscii(*b));
  }
  return false;
}

bool containsIgnoringAsciiCase(const unsigned char* text, const std::string& literal) {
  const std::size_t n = literal.size();
  const auto first = static_cast<unsigned char>(literal[0]);
  const auto firstUpper = static_cast<unsigned char>(upperAscii(first));
  if (first == firstUpper) {
    // No letter first: the library's search for one byte finds the places.
    const unsigned char* end = text + std::strlen(reinterpret_cast<const char*>(text));
    for (const unsigned char* p = text; p < end; ++p) {
      p = static_cast<const unsigned char*>(std::memchr(p, first, static_cast<std::size_t>(end - p)));
      if (!p) return false;
      std::size_t k = 1;
      while (k < n && p[k] && lowerAscii(p[k]) == static_cast<unsigned char>(literal[k])) ++k;
      if (k == n) return true;
    }
    return false;
  }
  for (const unsigned char* p = text; *p; ++p) {
    if (*p != first && *p != firstUpper) continue;
    std::size_t k = 1;
    while (k < n && p[k] && lowerAscii(p[k]) == static_cast<unsigned char>(literal[k])) ++k;
    if (k == n) return true;
  }
  return false;
}

bool matches(const unsigned char* pattern, const unsigned char* text, const Rules& rules) {
  std::string literal;
  if (containedLiteral(pattern, rules, literal) && plainText(text)) return containsIgnoringAsciiCase(text, literal);
  return compare(pattern, text, rules) == Compare::Match;
}

Rules rulesFor(std::uint32_t escape) {
  Rules rules;
  rules.escape = escape;
  if (escape == rules.all) rules.all = 0;
  if (escape == rules.one) rules.one = 0;
  return rules;
}

std::size_t charCount(const unsigned char* p) {
  std::size_t count = 0;
  while (*p) {
    if (*p++ >= 0xC0) {
      while ((*p & 0xC0) == 0x80) ++p;
    }
    ++count;
  }
  return count;
}

// like(pattern, text [, escape]), as `text LIKE pattern [ESCAPE escape]` calls it.
void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const int limit = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
  if (sqlite3_value_bytes(argv[0]) > limit) {
    sqlite3_result_error(ctx, "LIKE or GLOB pattern too complex", -1);
    return;
  }
  std::uint32_t escape = 0;
  if (argc == 3) {
    const unsigned char* text = sqlite3_value_text(argv[2]);
    if (!text) return;
    if (charCount(text) != 1) {
      sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
      return;
    }
    escape = readChar(text);
  }
  const unsigned char* pattern = sqlite3_value_text(argv[0]);
  const unsigned char* text = sqlite3_value_text(argv[1]);
  if (pattern && text) sqlite3_result_int(ctx, matches(pattern, text, rulesFor(escape)) ? 1 : 0);
}

}  // namespace

LikePattern::LikePattern(std::string_view pattern, char32_t escape)
    : pattern_(pattern.substr(0, pattern.find('\0'))) {
  const Rules rules = rulesFor(escape);
  all_ = rules.all;
  one_ = rules.one;
  escape_ = rules.escape;
  if (!containedLiteral(reinterpret_cast<const unsigned char*>(pattern_.c_str()), rules, literal_)) literal_.clear();
}

bool plainUtf8(std::string_view text) {
  const std::string cut(text.substr(0, text.find('\0')));
  return plainText(reinterpret_cast<const unsigned char*>(cut.c_str()));
}

bool LikePattern::matches(const char* text, bool plain) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  if (!literal_.empty() && (plain || plainText(bytes))) return containsIgnoringAsciiCase(bytes, literal_);
  return compare(reinterpret_cast<const unsigned char*>(pattern_.c_str()), bytes, Rules{all_, one_, escape_}) ==
         Compare::Match;
}

bool likeMatches(std::string_view pattern, std::string_view text, char32_t escape) {
  const std::string p(pattern.substr(0, pattern.find('\0')));
  const std::string t(text.substr(0, text.find('\0')));
  return matches(reinterpret_cast<const unsigned char*>(p.c_str()), reinterpret_cast<const unsigned char*>(t.c_str()),
                 rulesFor(escape));
}

int registerLikeFunction(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  int rc = sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
  if (rc != SQLITE_OK) return rc;
  return sqlite3_create_function(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr);
}

}  // namespace qm::db

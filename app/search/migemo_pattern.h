// What a Migemo pattern goes through before it enters SQL or a match. The
// library answers a romaji or kana text with a regular expression of kana and
// kanji spellings; its character classes can be long, and a search may keep
// only the first few characters of a class that stands alone in a group.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::search {

// The Migemo library as the search sees it: the pattern for a text (program
// text), or nothing when the library is absent or not enabled.
class MigemoSource {
public:
  virtual ~MigemoSource() = default;
  virtual bool enabled() const = 0;
  virtual std::optional<std::string> query(std::string_view text) = 0;
};

// Every "ャ" becomes "ゃ" before the query (the dictionary knows the small
// hiragana form only).
std::string migemoQueryText(std::string_view text);

// A class directly after "(" keeps at most classLimit + 1 characters
// ("([あいう]" with limit 1 gives "([あい]"); 0 keeps all.
// PCRE2 has classes, so they stay classes. Classes holding a backslash are
// left as they are.
std::string limitClasses(std::string_view pattern, int classLimit);

// The library escapes some regular-expression characters of the typed text
// but not "?", "+", "{" and "}": every one of "? + * . ^ $ { }" that is not
// escaped yet gets a backslash, so that what the user typed is matched as
// text ("z?" would match every title). The library itself never writes them
// as operators.
std::string typedCharactersAsText(std::string_view pattern);

// What a pattern becomes for `regexMode` (search_sql.h): typed characters as
// text, and with the REGEX function the classes limited. The REGEXP operator
// gets every class whole.
std::string regexPattern(std::string_view pattern, int regexMode, int classLimit);
// regexPattern quoted for SQL ("'" doubled).
std::string sqlPattern(std::string_view pattern, int regexMode, int classLimit);

}  // namespace qm::search

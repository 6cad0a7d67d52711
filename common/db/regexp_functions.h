// Regular expressions inside SQL, built into every connection: the REGEXP
// operator (`text REGEXP pattern`, which SQLite calls as regexp(pattern, text))
// and the function REGEX(text, pattern). Both match PCRE2 patterns over UTF-8
// and give 1 or 0, NULL when either side is NULL. A compiled pattern is kept
// for the rest of the statement.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;

namespace qm::db {

// Why PCRE2 refuses `utf8Pattern`, in the words the SQL functions use;
// nothing when it compiles. SQLite calls a function only for rows it reaches,
// so a pattern is checked before it goes into a statement.
std::optional<std::string> regexpPatternError(std::string_view utf8Pattern);

// SQLite's result code of the registration.
int registerRegexpFunctions(sqlite3* db);

// The same match outside SQL, for texts held in memory: what REGEXP answers
// for a text that is not NULL.
class RegexpMatcher {
public:
  // Nothing when PCRE2 refuses the pattern.
  static std::unique_ptr<RegexpMatcher> compile(std::string_view utf8Pattern);
  ~RegexpMatcher();
  bool matches(std::string_view utf8Subject) const;

private:
  struct Compiled;
  explicit RegexpMatcher(std::unique_ptr<Compiled> compiled);
  std::unique_ptr<Compiled> compiled_;
};

}  // namespace qm::db

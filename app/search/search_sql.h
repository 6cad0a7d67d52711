// The WHERE clauses of a library search: the text a user typed, the search
// mode of the search bar and the match kind become the statement that makes
// list_view again. Every user text inside the SQL is quoted, and inside a
// LIKE pattern its "%", "_" and "`" are escaped with "`" (walking by
// Shift-JIS character, so a trail byte is never taken for one of them).
//
// Pure text: search_library.h runs what this builds.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/item_list/text_condition.h"
#include "common/text/normalize_options.h"

namespace qm::search {

// Positions in the search bar's mode list; kMakerLinkMode has no entry there
// (the information view's maker links use it).
enum SearchMode : int {
  kFuzzyMode = 0,
  kFilePathMode = 1,
  kTitleMode = 2,
  kMakerMode = 3,
  kGenreMode = 4,
  kVersionMode = 5,
  kCreatorMode = 6,
  kMemoMode = 7,
  kSaleYearMode = 8,
  kSqlMode = 9,
  kMakerLinkMode = 10,
};
inline constexpr int kSearchBarModeCount = 10;

enum MatchKind : int { kContains = 0, kEquals = 1, kSeveralWords = 2 };

// Regular expressions inside SQL: 1 the REGEXP operator, 2 the REGEX
// function, anything else none.
inline constexpr int kRegexpOperator = 1;
inline constexpr int kRegexFunction = 2;

// The search bar's list texts, program text, index = mode.
std::string searchModeLabel(int mode);

// "'" doubled, and "%", "_", "`" preceded by "`" (the LIKE escape character).
// `escaped` tells whether any was.
std::string likePattern(std::string_view text, bool& escaped);

// `field` LIKE '%text%', with " ESCAPE '`'" only when the text needed it.
std::string likeContains(std::string_view field, std::string_view text);

// "(E LIKE '%a%')AND(E LIKE '%b%')" for the words "a b" and op "AND".
std::string buildWordCondition(std::string_view words, std::string_view field, std::string_view op);

// The SQL form of a pattern that is already quoted for SQL: "field REGEXP
// 'p' " (mode 1), "REGEX(field,'p') " (mode 2), "" otherwise.
std::string regexCondition(int regexMode, std::string_view field, std::string_view quotedPattern);

struct SearchRequest {
  std::string text;  // program text as typed
  int mode = kFuzzyMode;
  int match = kContains;
  bool skipAnd = false;
  // What the smart form and mode 8's folding use.
  text::SymbolTables tables = text::SymbolTables::defaults();
};

// The text made ready for its mode (spaces off both ends, mode 8 folded,
// mode 0's spaces collapsed); nothing when it is then empty.
std::optional<std::string> preparedSearchText(std::string_view text, int mode, const text::SymbolTables& tables);

// Whether a prepared text may get a Migemo alternative: 2 bytes or more and
// none of "(", ")", "[", "]", "|".
bool takesMigemo(std::string_view prepared);

struct SearchClauses {
  // Tried in order: the AND form of several words (when not skipped) first;
  // when it lists nothing, the next one. Each is a whole CREATE VIEW statement.
  std::vector<std::string> statements;
  // The same WHERE of each statement as tests of texts (text_condition.h).
  std::vector<TextCondition> conditions;
  bool severalWords = false;
};

// `migemoPattern` is the post-processed, SQL-quoted pattern, or empty for
// none; `regexMode` decides its form. Nothing when the text is empty after
// preparation, or mode 9 (a statement, not a text).
std::optional<SearchClauses> buildSearchClauses(const SearchRequest& request, std::string_view migemoPattern,
                                                int regexMode);

// The WHERE clause alone for one statement of buildSearchClauses (after the
// view head), for tests and messages.
std::string whereClauseOf(std::string_view viewStatement);

}  // namespace qm::search

// Finding the clauses of a typed statement at its top level. A keyword counts
// only outside quoted texts and names ('...', "...", `...`, [...]), outside
// comments (-- to the line end, /* ... */) and outside parentheses, so a
// "where" inside a title literal or an ORDER BY inside a sub-select is never
// taken for the statement's own. Texts are Shift-JIS: the scan walks by
// character, so a trail byte such as the 0x5B of "ー" never opens a bracket.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace qm::search {

inline constexpr std::size_t kNotFound = std::string_view::npos;

// A word at the top level: letters, digits, "_", "$" and double-byte characters.
struct SqlWord {
  std::size_t pos;
  std::size_t length;
};

std::vector<SqlWord> topLevelWords(std::string_view sql);

// Position of the first word of the first (or last) top-level run of `words`
// (ASCII case ignored; blanks and comments may stand between them), searched
// from `from` on.
std::size_t findFirstTopLevel(std::string_view sql, std::initializer_list<std::string_view> words,
                              std::size_t from = 0);
std::size_t findLastTopLevel(std::string_view sql, std::initializer_list<std::string_view> words);
// Position just after the last word of that first run.
std::size_t endOfFirstTopLevel(std::string_view sql, std::initializer_list<std::string_view> words);

// The statement without its final ";" (and without blanks and comments after
// it). Without a final ";" only trailing blanks and comments go: no character
// of the statement itself is cut.
std::string_view withoutFinalSemicolon(std::string_view sql);

// Spaces and tabs, carriage returns and line feeds off both ends.
std::string_view trimBlanks(std::string_view s);

}  // namespace qm::search

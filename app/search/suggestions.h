// Type-ahead suggestions: titles under the search bar and field values for
// the record editor's title, maker, developer and country boxes, found by
// reading or by the Migemo pattern of what was typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/search/migemo_pattern.h"

namespace qm::db {
class DbConnection;
}

namespace qm::search {

inline constexpr int kSuggestionRows = 51;

// The reading pattern of a typed text: upper case, with "\", "$", "*", ".",
// "^" escaped, quoted for SQL.
std::string readingPattern(std::string_view typed);

// The search bar's statement; nothing for a text that gets no suggestions
// (outside 2..199 bytes, or holding "(", ")", "[", "]", "|").
// `titlePattern` is the post-processed, SQL-quoted Migemo pattern (empty: none).
std::optional<std::string> searchSuggestionStatement(std::string_view typed, std::string_view titlePattern,
                                                     int regexMode);

// The shortened suggestion of a title: cut before its first "_", "(" or "["
// that is not its first character, then trailing spaces off.
std::string shortenedTitle(std::string_view title);

// The list under the search bar: the typed text first, then up to 51 titles
// as they are (`wholeTitles`, "FuzzyLap" 1) or shortened without repeats.
std::vector<std::string> suggestionList(std::string_view typed, const std::vector<std::string>& titles,
                                        bool wholeTitles);

// The record editor's field boxes: the field (title, maker, developer or
// country; any other name means maker) and its statement; nothing for texts
// longer than 16 bytes or empty.
std::string suggestionField(std::string_view field);
std::optional<std::string> fieldSuggestionStatement(std::string_view field, std::string_view typed,
                                                    std::string_view pattern, int regexMode);

// Runs a suggestion statement: the first column of its rows (program text),
// nothing when it failed (suggestions that fail simply show no list).
std::vector<std::string> suggestionRows(db::DbConnection& db, const std::string& statement);

}  // namespace qm::search

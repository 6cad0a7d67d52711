// A search of the whole library: makes list_view again from the search bar's
// text (search_sql.h) or a complete statement (mode 9, a typed or saved SQL
// search), then sorts as the mode asks. Nothing changes until the new text
// has been checked: a blank text, a refused statement or a failed view leave
// the list as it was.
//
// The window code remembers the current item, calls searchLibrary(), shows
// searchTimeText() and the hit count, and fills the list again keeping that
// item; a result of 1 goes into the history (search_history.h).
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "app/item_list/item_list.h"
#include "app/search/migemo_pattern.h"
#include "app/search/search_sql.h"
#include "common/platform/message_sink.h"

namespace qm::search {

struct SearchSettings {
  bool migemoOn = true;  // "SearchOn" of section "Migemo"
  int classLimit = 0;    // "SearchClassLimit"
  int regexMode = kRegexpOperator;
};

struct SearchOutcome {
  int result = -1;  // 1 rows listed, 0 none (or an empty text), -1 failure
  bool viewChanged = false;
  // Program text for the status bar when the search went on without Migemo.
  std::string note;
  std::chrono::steady_clock::duration took{};
  // The sort the list takes once the view changed.
  SortRequest sort{kSortAgain, SortMode::Toggle};
};

// The sort that follows a search in `mode` (not 9).
SortRequest sortAfterSearch(int mode);
// Mode 9: the column named nearest after the statement's last top-level
// ORDER (within 40 characters) and its direction; kKeepStatementOrder when
// no list column is named there, kSortAgain when it has no ORDER.
SortRequest sortOfStatement(std::string_view statement);

// Blanks off both ends and runs of spaces made one outside quoted texts and
// names ('...', "...", `...`, [...]); empty when nothing is left.
std::string normalizedStatement(std::string_view statement);

// `migemo` may be null. Failures are reported on `sink`.
SearchOutcome searchLibrary(ItemList& items, const SearchRequest& request, const SearchSettings& settings,
                            MigemoSource* migemo, platform::MessageSink& sink);

// searchLibrary in its two steps, for a caller that lists the rows itself
// (a one-shot search lets SQLite sort them): list_view and the statements as
// the search leaves them, with the sort to follow in `sort`; `result` stays
// -1 until the sort, except for an empty text (0).
SearchOutcome changeViewForSearch(ItemList& items, const SearchRequest& request, const SearchSettings& settings,
                                  MigemoSource* migemo, platform::MessageSink& sink);
// The sort of a changed view; sets `result`.
void sortAfterViewChange(ItemList& items, SearchOutcome& outcome);

// "検索時間:" + seconds + "." + hundredths (two digits) + "秒".
std::string searchTimeText(std::chrono::steady_clock::duration took);

}  // namespace qm::search

// The titles a search lists, for a process that searches once: the list
// statement of the search's sort is stepped once and SQLite sorts the rows,
// where the window sorts in memory on keys it keeps for every later click.
// Both give the same order: the list's in-memory sort follows the list
// statement's ORDER BY, and rows equal in all of its terms share their title.
#pragma once

#include <string>
#include <vector>

#include "app/item_list/item_list.h"
#include "app/item_list/sort_state.h"
#include "common/db/db_connection.h"

namespace qm::cli {

struct SearchTitles {
  int result = -1;      // 1 titles listed, 0 none, -1 failure (reported)
  bool titled = true;   // false: an SQL search whose rows have no title column
  std::vector<std::string> titles;  // program text
};

// The rows of the view and statements `items` holds after
// search::changeViewForSearch, sorted by `sort`, read through `db` (the
// list's connection). Failures go to `sink` as the list's sort reports them.
SearchTitles listSearchTitles(db::DbConnection& db, search::ItemList& items, const search::SortRequest& sort,
                              platform::MessageSink& sink);

}  // namespace qm::cli

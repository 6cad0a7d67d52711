// The statement that fills the item list, from the three statements that
// decide what it shows and the sort. Clauses of a typed statement are found at
// its top level (sql_scan.h): quoted texts, comments and sub-selects never
// count.
//
// The window code keeps a ListStatements, and for a sort runs
// listStatement(statements, sortListFor(sort, statements)) through
// runListStatement() (list_runner.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/item_list/sort_state.h"

namespace qm::search {

struct ListStatements {
  std::string view;    // "SQL1": the CREATE VIEW the last search applied
  std::string group;   // "SQL2": the group pane's filter, empty for all
  std::string search;  // "SQL3": a typed or saved SELECT over list_view, or empty
};

// The ORDER BY list of a SQL search's own order: what follows its last
// top-level ORDER BY, without a final ";" and without a LIMIT clause;
// " " when it has no ORDER BY.
std::string statementSortList(std::string_view search);

// The sort list for the state: the statement's own when the last request
// kept it, otherwise the list of all 18 columns.
std::string sortListFor(const SortState& sort, const ListStatements& statements);

std::string listStatement(const ListStatements& statements, std::string_view sortList);

// For a SQL search that only narrows list_view ("SELECT * FROM list_view",
// then at most a WHERE clause and an ORDER BY that the sort replaces): the
// statement listing the file_name of the list statement's rows, unsorted,
// the group filter included. Nothing for any other statement (a LIMIT, a
// grouping, a compound, another table, a random order): only the list
// statement itself gives those rows.
std::optional<std::string> searchRowStatement(const ListStatements& statements);

}  // namespace qm::search

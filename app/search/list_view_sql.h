// The view list_view that the item list reads: its 51 columns and joins, and
// its statement without a search ("WHERE ply<2 "), which the first fill, a
// SQL search and a failed search's recovery use. The search builder adds its
// own WHERE clauses to viewHead().
#pragma once

#include <span>
#include <string>

namespace qm::search {

// Column names in view order (position 0 is file_name, the item key).
std::span<const char* const> viewColumns();

// "CREATE VIEW list_view AS SELECT " + columns + "FROM main_table " + joins.
std::string viewHead();
// viewHead() + "WHERE ply<2 " + ";".
std::string viewStatementWithoutSearch();

inline constexpr const char* kDropView = "DROP VIEW list_view;";

}  // namespace qm::search

// The group pane beside the item list: its five tabs, the query that lists a
// tab's distinct values, the filter statement an item selects, the pane's
// item texts, and the title counts of the status bar.
//
// The window code runs groupQuery() on the group connection through
// runGroupStatement() (list_runner.h), sizes the pane with groupItemCount(),
// draws items with groupItemText(), and on a click stores
// groupFilterStatement() as the list's group statement and re-sorts with
// kResetSort.
#pragma once

#include <string>
#include <string_view>

namespace qm::db {
class DbConnection;
}

namespace qm::search {

enum class GroupKind { Maker = 0, Genre = 1, Adult = 2, Machine = 3, Rating = 4 };
inline constexpr int kGroupKindCount = 5;

struct GroupTab {
  const char* label;  // UTF-8
  const char* field;  // list_view column
  const char* query;  // its distinct values over the whole view
};

const GroupTab& groupTab(GroupKind kind);
std::string groupTabLabel(GroupKind kind);  // program text
// The next tab, wrapping from the last to the first, and the one before,
// wrapping from the first to the last (Ctrl+PageDown and Ctrl+PageUp in the pane).
GroupKind nextGroupKind(GroupKind kind);
GroupKind previousGroupKind(GroupKind kind);

// The distinct-value query; with a SQL search, limited to the values its
// result holds.
std::string groupQuery(GroupKind kind, std::string_view sqlSearch);

// Items of the pane for a query result of `rows` data rows: "<全て>" first.
int groupItemCount(GroupKind kind, int rows);
// `value` is the query result's row `item` (ignored for the fixed items of
// R指定 and 評価). Program text.
std::string groupItemText(GroupKind kind, int item, std::string_view value);
// Filled stars of a rating item (item k shows k - 1).
int ratingStars(int item);

// The group filter statement for pane item `item`; `value` as above.
std::string groupFilterStatement(GroupKind kind, int item, std::string_view value);

// Status bar: "SELECT COUNT(*) FROM main_table WHERE ply<2;" and the two counts.
inline constexpr const char* kTitleCountQuery = "SELECT COUNT(*) FROM main_table WHERE ply<2;";
std::string titleCountText(long long titles);  // " 全タイトル数: N 件"
std::string hitCountText(long long hits);      // " 検索件数: N 件"

}  // namespace qm::search

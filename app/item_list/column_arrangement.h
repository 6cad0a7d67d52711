// What the column header's popup and a header drag change: the order of the
// shown columns, which columns are shown, and the reading sort ("yomiSort").
// The window code reads the header's display order into takeDisplayOrder()
// before it saves the layout or rebuilds the columns, calls toggleColumn()
// for a column's item of the popup, and re-sorts with readingSortRequest()
// once the reading sort was switched.
#pragma once

#include <vector>

#include "app/item_list/list_columns.h"
#include "app/item_list/sort_state.h"

namespace qm::search {

// The popup's items after the table's own: one per column (its header as
// label, checked while shown), then the reading sort.
inline constexpr int kShowColumnCommand = 1400;  // + column number, up to 1417
inline constexpr int kReadingSortCommand = 1420;
// The column of a popup command, or -1.
int columnOfCommand(int command);

// `displayed` holds the shown columns in the order the header shows them.
// Hidden columns keep their positions until they are shown again.
void takeDisplayOrder(ColumnLayout& layout, const std::vector<int>& displayed);

// Hides a shown column, or shows a hidden one after the last shown column.
// False (nothing changes) for the last shown column, which stays.
bool toggleColumn(ColumnLayout& layout, int column);

// The sort to run once the reading sort was switched, so that the list
// follows at once: the column last sorted by again, in its own direction. Sorting by
// the title with the reading sort on puts the reading first; sorting by it
// again with the reading sort off takes it back out.
SortRequest readingSortRequest(const SortState& sort);

}  // namespace qm::search

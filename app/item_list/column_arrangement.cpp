#include "app/item_list/column_arrangement.h"

#include <algorithm>

namespace qm::search {

int columnOfCommand(int command) {
  const int column = command - kShowColumnCommand;
  return column >= 0 && column < kColumnCount ? column : -1;
}

void takeDisplayOrder(ColumnLayout& layout, const std::vector<int>& displayed) {
  int position = 0;
  for (int column : displayed) {
    if (column >= 0 && column < kColumnCount && layout.shown[column]) layout.position[column] = position++;
  }
}

bool toggleColumn(ColumnLayout& layout, int column) {
  if (column < 0 || column >= kColumnCount) return false;
  const std::vector<int> shown = shownColumnsInOrder(layout);
  if (layout.shown[column]) {
    if (shown.size() <= 1) return false;
    layout.shown[column] = false;
    return true;
  }
  layout.shown[column] = true;
  layout.position[column] = shown.empty() ? 0 : layout.position[shown.back()] + 1;
  return true;
}

SortRequest readingSortRequest(const SortState& sort) {
  // The column last asked for: with the reading sort on, a title sort has
  // the reading column first in its order, yet it is a title sort.
  const int column = sort.currentColumn();
  // Column 2 has four directions, which the two modes cannot name.
  if (column == kMachineGenreColumn) return {kSortAgain, SortMode::Toggle};
  return {column, sort.direction(column) == 1 ? SortMode::Descending : SortMode::Ascending};
}

}  // namespace qm::search

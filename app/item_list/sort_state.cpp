#include "app/item_list/sort_state.h"

#include <algorithm>

namespace qm::search {
namespace {

bool isColumn(int column) { return column >= 0 && column < kColumnCount; }

constexpr const char* kMachineGenreItems[] = {
    "machine_name, genre_name",
    "machine_name DESC, genre_name",
    "genre_name, machine_name",
    "genre_name DESC, machine_name",
};

}  // namespace

std::string sortItem(int column, int direction) {
  if (column == kMachineGenreColumn) return kMachineGenreItems[direction & 3];
  std::string item = listColumns()[column].sortKey;
  if (direction == 1) item += " DESC";
  return item;
}

void SortState::reset() {
  for (int c = 0; c < kColumnCount; ++c) {
    order_[c] = c;
    direction_[c] = 0;
  }
}

int SortState::apply(int column, SortMode mode, bool readingSort) {
  if (column == kKeepStatementOrder) {
    statementOrder_ = true;
    return column;
  }
  statementOrder_ = false;
  if (column == kSortAgain) {
    column = primaryColumn();
  } else if (!isColumn(column)) {
    reset();
    column = kTitleColumn;
  } else {
    setDirection(column, mode, readingSort);
    moveToFront(column);
  }
  if (readingSort) coupleReading(column);
  currentColumn_ = column;
  currentDirection_ = direction_[column];
  return column;
}

void SortState::setDirection(int column, SortMode mode, bool readingSort) {
  int& direction = direction_[column];
  if (mode == SortMode::Ascending) {
    direction = 0;
  } else if (mode == SortMode::Descending) {
    direction = 1;
  } else if (column != primaryColumn()) {
    // With the reading coupled to the title, a title click after a reading
    // click still toggles: the two count as one column.
    const bool titleAfterReading = readingSort && column == kTitleColumn && primaryColumn() == kReadingColumn;
    direction = titleAfterReading ? 1 - direction : 0;
  } else if (column == kMachineGenreColumn) {
    direction = (direction + 1) % 4;
  } else {
    direction = 1 - direction;
  }
}

void SortState::moveToFront(int column) {
  auto it = std::find(order_.begin(), order_.end(), column);
  std::rotate(order_.begin(), it, it + 1);
}

void SortState::coupleReading(int column) {
  if (column == kTitleColumn) direction_[kReadingColumn] = direction_[kTitleColumn];
  if (column == kReadingColumn) direction_[kTitleColumn] = direction_[kReadingColumn];
  auto reading = std::find(order_.begin(), order_.end(), kReadingColumn);
  std::rotate(order_.begin(), reading, reading + 1);  // take it out at the front ...
  auto title = std::find(order_.begin() + 1, order_.end(), kTitleColumn);
  std::rotate(order_.begin(), order_.begin() + 1, title);  // ... and put it just before the title
}

std::string SortState::orderByList() const {
  std::string list;
  for (int column : order_) {
    if (!list.empty()) list += ", ";
    list += sortItem(column, direction_[column]);
  }
  return list + " ";
}

HeaderMark SortState::headerMark(int column, bool readingSort) const {
  HeaderMark mark{-1, columnHeader(column, direction_[column])};
  if (statementOrder_) return mark;
  const int primary = primaryColumn();
  bool bright = column == primary;
  if (readingSort && (primary == kTitleColumn || primary == kReadingColumn))
    bright = column == kTitleColumn || column == kReadingColumn;
  mark.image = (direction_[column] & 1) + (bright ? 0 : 2);
  return mark;
}

}  // namespace qm::search

// The item list's sort: which column sorts first, the direction of each
// column, and the ORDER BY list built from them. Every sort covers all 18
// columns, the clicked one first. Reset at every start.
//
// The window code keeps one SortState, calls apply() for a header click
// (column, SortMode::Toggle) or a menu reset (kResetSort), then builds the
// list statement with orderByList() (list_statement.h) and draws the headers
// with headerMark().
#pragma once

#include <array>
#include <string>

#include "app/item_list/list_columns.h"

namespace qm::search {

// Column numbers with a meaning of their own.
inline constexpr int kResetSort = -1;           // back to title ascending and index order
inline constexpr int kSortAgain = -2;           // the current primary column again
inline constexpr int kKeepStatementOrder = -3;  // the ORDER BY written in the SQL search

enum class SortMode { Toggle = 0, Ascending = 1, Descending = 2 };

// A sort to run: a column (or one of the requests above) and its mode.
struct SortRequest {
  int column;
  SortMode mode;
};

// Directions of column 2.
enum MachineGenreDirection { kMachineAscending = 0, kMachineDescending = 1, kGenreAscending = 2, kGenreDescending = 3 };

struct HeaderMark {
  int image;          // 0 ascending, 1 descending, +2 dim (not the primary column); -1 none
  std::string label;  // program text
};

class SortState {
public:
  SortState() { reset(); }

  // Algorithms of a sort request: a column 0..17 or one of the three requests
  // above; anything else resets. `readingSort` is the "yomiSort" setting.
  // Returns the request as carried out (kKeepStatementOrder or a column).
  int apply(int column, SortMode mode, bool readingSort);

  // "title, maker, machine_name, genre_name, ..., kana " for the current order.
  std::string orderByList() const;

  int primaryColumn() const { return order_[0]; }
  const std::array<int, kColumnCount>& order() const { return order_; }
  int direction(int column) const { return direction_[column]; }
  // Saved at exit as "SortColumn" and "SortOrder".
  int currentColumn() const { return currentColumn_; }
  int currentDirection() const { return currentDirection_; }
  bool keepsStatementOrder() const { return statementOrder_; }

  HeaderMark headerMark(int column, bool readingSort) const;

private:
  void reset();
  void setDirection(int column, SortMode mode, bool readingSort);
  void moveToFront(int column);
  void coupleReading(int column);

  std::array<int, kColumnCount> order_{};
  std::array<int, kColumnCount> direction_{};
  int currentColumn_ = 0;
  int currentDirection_ = 0;
  bool statementOrder_ = false;
};

// One column's ORDER BY item for a direction.
std::string sortItem(int column, int direction);

}  // namespace qm::search

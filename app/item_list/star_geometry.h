// Where the item list draws a rating's five stars: the painter and the click
// handler (records::ratingAtClick) use the same numbers, so a click lands on
// the star it is drawn over.
#pragma once

namespace qm::search {

inline constexpr int kStarWidth = 16;
// Between a column's left edge and what its cell draws.
inline constexpr int kCellPadding = 4;

// The left edge of the first star in a column whose left edge is at `columnLeft`.
constexpr int firstStarLeft(int columnLeft) { return columnLeft + kCellPadding; }

}  // namespace qm::search

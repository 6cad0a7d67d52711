// Where the item list draws a rating's five stars, and the rating a click
// there gives: the painter and the click handler use the same numbers, so a
// click lands on the star it is drawn over.
#pragma once

#include <optional>

namespace qm::records {

inline constexpr int kStarWidth = 16;
// Between a column's left edge and what its cell draws.
inline constexpr int kCellPadding = 4;

// The left edge of the first star in a column whose left edge is at `columnLeft`.
constexpr int firstStarLeft(int columnLeft) { return columnLeft + kCellPadding; }

// The rating (0, 10, ..., 50) for a click at `clickX` in a rating column whose
// left edge is at `columnLeft` (same coordinates), or nothing when the click
// is too far from the stars. Left of the first star clears the rating.
std::optional<int> ratingAtClick(int clickX, int columnLeft);

}  // namespace qm::records

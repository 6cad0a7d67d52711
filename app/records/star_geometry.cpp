#include "app/records/star_geometry.h"

#include "app/records/bulk_change.h"

namespace qm::records {

std::optional<int> ratingAtClick(int clickX, int columnLeft) {
  return ratingFromClick(clickX - firstStarLeft(columnLeft));
}

}  // namespace qm::records

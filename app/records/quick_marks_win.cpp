#include "app/records/quick_marks_win.h"

#include <commctrl.h>

#include "app/item_list/item_list.h"
#include "app/item_list/list_view_sql.h"
#include "app/records/bulk_change.h"
#include "app/ui/busy_cursor_win.h"
#include "common/platform/message_sink.h"

namespace qm::records {
namespace {

constexpr int kViewAdult = search::viewColumn("adult");
constexpr int kViewRating = search::viewColumn("rating");
static_assert(kViewAdult >= 0 && kViewRating >= 0);
// The column table's rating column.
constexpr int kRatingColumn = 3;

std::vector<int> selectedRows(const ShownList& shown) {
  std::vector<int> rows;
  for (int item = ListView_GetNextItem(shown.list, -1, LVNI_SELECTED); item >= 0 && item < shown.items->rowCount();
       item = ListView_GetNextItem(shown.list, item, LVNI_SELECTED))
    rows.push_back(item);
  return rows;
}

}  // namespace

void toggleAdultOfSelected(const ShownList& shown) {
  if (!shown.items) return;
  const std::vector<int> rows = selectedRows(shown);
  if (rows.empty()) return;
  std::vector<std::string> keys;
  for (int row : rows) keys.push_back(shown.items->fileNameAt(row));
  const bool firstMarked = shown.items->cell(rows.front(), kViewAdult) != "0";
  const auto sink = platform::makeWindowSink(shown.owner);
  std::optional<bool> marked;
  {
    ui::BusyCursor busy;
    marked = toggleAdult(shown.dbPath, keys, firstMarked, *sink);
  }
  if (!marked) return;
  for (int row : rows) {
    shown.items->setShownCell(row, kViewAdult, *marked ? "1" : "0");
    ListView_RedrawItems(shown.list, row, row);
  }
}

bool rateAtClick(const ShownList& shown, const std::vector<int>& columns, POINT at) {
  if (!shown.items) return false;
  LVHITTESTINFO hit{};
  hit.pt = at;
  const int row = static_cast<int>(SendMessageA(shown.list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row < 0 || row >= shown.items->rowCount() || !(hit.flags & LVHT_ONITEM)) return false;
  if (hit.iSubItem < 0 || hit.iSubItem >= static_cast<int>(columns.size()) ||
      columns[static_cast<std::size_t>(hit.iSubItem)] != kRatingColumn)
    return false;
  // The column's left edge as the painter takes it: the row's left (which
  // follows the horizontal scroll) plus the header item's left.
  RECT rowRect{};
  RECT header{};
  if (!ListView_GetItemRect(shown.list, row, &rowRect, LVIR_BOUNDS) ||
      !Header_GetItemRect(ListView_GetHeader(shown.list), hit.iSubItem, &header))
    return false;
  const auto rating = ratingAtClick(at.x, rowRect.left + header.left);
  if (!rating) return false;
  const auto sink = platform::makeWindowSink(shown.owner);
  if (!setRating(shown.dbPath, shown.items->fileNameAt(row), *rating, *sink)) return true;
  shown.items->setShownCell(row, kViewRating, std::to_string(*rating));
  ListView_RedrawItems(shown.list, row, row);
  return true;
}

}  // namespace qm::records

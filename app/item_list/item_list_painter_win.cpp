#include "app/item_list/item_list_painter_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "app/item_list/item_list.h"
#include "app/item_list/list_columns.h"
#include "app/item_list/star_geometry.h"
#include "app/settings/settings.h"
#include "app/ui/ui_bitmaps_win.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

// list_view positions the cells draw from beyond the column table's fields.
constexpr int kViewAdult = search::viewColumn("adult");
constexpr int kViewRating = search::viewColumn("rating");
constexpr int kViewMachineNum = search::viewColumn("machine_num");
constexpr int kViewMaxdisk = search::viewColumn("maxdisk");
static_assert(kViewAdult >= 0 && kViewRating >= 0 && kViewMachineNum >= 0 && kViewMaxdisk >= 0);
using search::kViewAlterEgo;
using search::kViewFave;
// The rating click reads the stars with the same geometry.
constexpr int kStarSize = search::kStarWidth;
constexpr int kMarkSize = 12;
constexpr int kPadding = search::kCellPadding;

ui::OwnedFont makeFont(const Settings& settings, Setting face, Setting height, Setting weight, Setting italic) {
  return ui::OwnedFont(CreateFontA(settings.number(height), 0, 0, 0, settings.number(weight),
                               settings.number(italic) ? TRUE : FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                               settings.text(face).c_str()));
}

void fill(HDC dc, const RECT& box, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
}

}  // namespace

void ItemListPainter::prepare(const Settings& settings, const UiBitmaps& bitmaps) {
  normal_ = makeFont(settings, Setting::ListNormalFace, Setting::ListNormalHeight, Setting::ListNormalWeight,
                     Setting::ListNormalItalic);
  mini_ = makeFont(settings, Setting::ListMiniFace, Setting::ListMiniHeight, Setting::ListMiniWeight,
                   Setting::ListMiniItalic);
  text_ = static_cast<COLORREF>(settings.number(Setting::ListNormalColor));
  line1_ = static_cast<COLORREF>(settings.number(Setting::ListLine1Color));
  line2_ = static_cast<COLORREF>(settings.number(Setting::ListLine2Color));
  rule_ = static_cast<COLORREF>(settings.number(Setting::ListRuleMarkColor));
  const int mini = std::abs(settings.number(Setting::ListMiniHeight));
  const int normal = std::abs(settings.number(Setting::ListNormalHeight));
  rowHeight_ = std::max({2 * (mini + 4) + 2, normal + 10, kStarSize + 6});
  stars_ = bitmaps.strip("rating.bmp", kStarSize);
  favourites_ = bitmaps.strip("favorite.bmp", kMarkSize);
  adult_ = bitmaps.strip("adult.bmp", kMarkSize);
  alterEgo_ = bitmaps.strip("AlterEgo.bmp", kMarkSize);
  maxdisk_ = bitmaps.strip("maxdisk.bmp", kMarkSize);
}

void ItemListPainter::applyRowHeight(HWND list) {
  spacer_.reset(ImageList_Create(1, rowHeight_, ILC_COLOR, 1, 0));
  ListView_SetImageList(list, spacer_.get(), LVSIL_SMALL);
}

void ItemListPainter::draw(const DRAWITEMSTRUCT& draw, const search::ItemList& items, const std::vector<int>& columns,
                           HIMAGELIST machineIcons, std::optional<COLORREF> background) const {
  const int item = static_cast<int>(draw.itemID);
  if (item < 0 || item >= items.rowCount()) return;
  HDC dc = draw.hDC;
  const RECT& row = draw.rcItem;
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  fill(dc, row, selected ? GetSysColor(COLOR_HIGHLIGHT) : background ? *background : item % 2 ? line2_ : line1_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text_);

  RECT visible;
  GetClipBox(dc, &visible);
  HWND header = ListView_GetHeader(draw.hwndItem);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    RECT title;
    if (!Header_GetItemRect(header, static_cast<int>(i), &title)) continue;
    RECT cell{row.left + title.left + kPadding, row.top + 1, row.left + title.right - kPadding, row.bottom - 1};
    if (cell.right <= cell.left || cell.right < visible.left || cell.left > visible.right) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    drawCell(dc, cell, columns[i], item, items, machineIcons);
    RestoreDC(dc, saved);
  }
  fill(dc, {row.left, row.bottom - 1, row.right, row.bottom}, rule_);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
}

void ItemListPainter::drawCell(HDC dc, RECT cell, int column, int item, const search::ItemList& items,
                               HIMAGELIST machineIcons) const {
  constexpr UINT kLine = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT;
  const int middle = (cell.top + cell.bottom) / 2;
  const search::ListColumn& info = search::listColumns()[column];
  if (column == search::kTitleColumn) {
    const std::vector<int> marks = search::favouriteMarks(items.cell(item, kViewFave));
    const bool adult = items.cell(item, kViewAdult) == "1";
    const bool alterEgo = items.cell(item, kViewAlterEgo) == "1";
    const int disks = std::atoi(items.cell(item, kViewMaxdisk).c_str());
    if (marks.empty() && !adult && !alterEgo && disks < 2) {
      drawText(dc, items.cell(item, info.viewColumn), cell, normal_.get(), kLine);
      return;
    }
    drawText(dc, items.cell(item, info.viewColumn), {cell.left, cell.top, cell.right, middle + 2}, normal_.get(),
             kLine);
    int x = cell.left;
    for (int mark : marks) {
      if (favourites_) {
        ImageList_Draw(favourites_.get(), mark, dc, x, middle + 3, ILD_TRANSPARENT);
      } else {
        drawText(dc, std::to_string(mark), {x, middle + 2, x + kMarkSize, cell.bottom}, mini_.get(), kLine);
      }
      x += kMarkSize + 2;
    }
    auto mark = [&](const ui::OwnedImageList& image, const char* fallback) {
      if (image) {
        ImageList_Draw(image.get(), 0, dc, x, middle + 3, ILD_TRANSPARENT);
        x += kMarkSize + 2;
      } else {
        drawText(dc, fallback, {x, middle + 2, x + 2 * kMarkSize, cell.bottom}, mini_.get(), kLine);
        x += 2 * kMarkSize;
      }
    };
    if (adult) mark(adult_, "R");
    if (alterEgo) mark(alterEgo_, "AE");
    if (disks >= 2) {
      // The mark, then the number of disks of the set.
      mark(maxdisk_, "M");
      drawText(dc, std::to_string(disks), {x, middle + 2, cell.right, cell.bottom}, mini_.get(), kLine);
    }
    return;
  }
  if (column == search::kMachineGenreColumn) {
    if (HIMAGELIST machines = machineIcons) {
      const int number = std::atoi(items.cell(item, kViewMachineNum).c_str());
      ImageList_Draw(machines, number >= 0 && number < ImageList_GetImageCount(machines) ? number : 0, dc,
                     cell.left, middle - 8, ILD_TRANSPARENT);
      cell.left += 16 + kPadding;
    }
    const auto lines = search::machineGenreLines(items.cell(item, search::kViewMachineName),
                                                 items.cell(item, search::kViewGenreName),
                                                 items.sortState().direction(search::kMachineGenreColumn));
    drawText(dc, lines[0], {cell.left, cell.top, cell.right, middle}, mini_.get(), kLine);
    drawText(dc, lines[1], {cell.left, middle, cell.right, cell.bottom}, mini_.get(), kLine);
    return;
  }
  if (column == 3) {
    drawStars(dc, cell, search::filledStars(items.cell(item, kViewRating)));
    return;
  }
  drawText(dc, search::cellText(column, items.cell(item, info.viewColumn)), cell, mini_.get(), kLine);
}

void ItemListPainter::drawStars(HDC dc, RECT box, int filled) const {
  if (!stars_) {
    std::string stars;
    for (int i = 0; i < 5; ++i) stars += text::sjis(i < filled ? "★" : "☆");
    drawText(dc, stars, box, mini_.get(), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    return;
  }
  const int top = (box.top + box.bottom - kStarSize) / 2;
  for (int i = 0; i < 5; ++i)
    ImageList_Draw(stars_.get(), i < filled ? 0 : 1, dc, box.left + i * kStarSize, top, ILD_TRANSPARENT);
}

void ItemListPainter::drawText(HDC dc, const std::string& text, RECT box, HFONT font, UINT format) const {
  const ui::Selected selected(dc, font);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

}  // namespace qm::shell

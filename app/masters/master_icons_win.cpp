#include "app/masters/master_icons_win.h"

#include <optional>

namespace qm::master {
namespace {

// The program's own bitmaps; drawn here while the program carries no
// resources, with black as the transparent colour.
constexpr int kDefaultIconResource = 102;
constexpr int kMissingIconResource = 103;

ui::OwnedBitmap blankBitmap(int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return ui::OwnedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
  ui::OwnedGdi<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

// A grey card with a light centre: an entry without a picture of its own.
void drawDefault(HDC dc, int size) {
  const int m = size / 8;
  fill(dc, {m, m, size - m, size - m}, RGB(96, 104, 120));
  fill(dc, {m + 1, m + 1, size - m - 1, size - m - 1}, RGB(184, 196, 214));
  const int c = size / 2, r = size / 5;
  POINT diamond[] = {{c, c - r}, {c + r, c}, {c, c + r}, {c - r, c}};
  ui::OwnedGdi<HBRUSH> brush(CreateSolidBrush(RGB(250, 250, 250)));
  ui::OwnedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(96, 104, 120)));
  ui::Selected withBrush(dc, brush.get());
  ui::Selected withPen(dc, pen.get());
  Polygon(dc, diamond, 4);
}

// A white card crossed out in red: the path names a file that is not there.
void drawMissing(HDC dc, int size) {
  const int m = size / 8;
  fill(dc, {m, m, size - m, size - m}, RGB(200, 30, 30));
  fill(dc, {m + 1, m + 1, size - m - 1, size - m - 1}, RGB(255, 255, 255));
  ui::OwnedGdi<HPEN> pen(CreatePen(PS_SOLID, size >= 32 ? 3 : 2, RGB(200, 30, 30)));
  ui::Selected withPen(dc, pen.get());
  const int a = m + size / 8, b = size - m - size / 8 - 1;
  MoveToEx(dc, a, a, nullptr);
  LineTo(dc, b, b);
  MoveToEx(dc, b, a, nullptr);
  LineTo(dc, a, b);
}

ui::OwnedBitmap programBitmap(int resource, int size) {
  if (HANDLE own = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_BITMAP, size, size,
                              LR_CREATEDIBSECTION))
    return ui::OwnedBitmap(static_cast<HBITMAP>(own));
  ui::OwnedBitmap bitmap = blankBitmap(size);
  if (bitmap) {
    ui::MemoryDc dc(bitmap.get());
    fill(dc.get(), {0, 0, size, size}, RGB(0, 0, 0));
    resource == kDefaultIconResource ? drawDefault(dc.get(), size) : drawMissing(dc.get(), size);
  }
  return bitmap;
}

ui::OwnedBitmap fileBitmap(const std::string& path, int size) {
  return ui::OwnedBitmap(static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, size, size, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

ui::OwnedBitmap iconBitmap(const std::string& path, int size) {
  switch (iconSourceOf(path)) {
    case IconSource::Default:
      return programBitmap(kDefaultIconResource, size);
    case IconSource::File:
      if (ui::OwnedBitmap bitmap = fileBitmap(path, size)) return bitmap;
      break;  // there, but not a bitmap Windows can read
    case IconSource::Missing:
      break;
  }
  return programBitmap(kMissingIconResource, size);
}

}  // namespace

ui::OwnedImageList makeIconList(IconSize size, int room) {
  const int px = static_cast<int>(size);
  return ui::OwnedImageList(ImageList_Create(px, px, ILC_COLOR32 | ILC_MASK, room, 16));
}

int addIcon(HIMAGELIST list, IconSize size, const std::string& path) {
  ui::OwnedBitmap bitmap = iconBitmap(path, static_cast<int>(size));
  return ImageList_AddMasked(list, bitmap.get(), RGB(0, 0, 0));
}

void IconLists::rebuild(db::DbConnection& db, Kind kind, platform::MessageSink& sink) {
  Lists& lists = lists_[static_cast<std::size_t>(kind)];
  lists.large = makeIconList(IconSize::Large, kCapacity);
  lists.small = makeIconList(IconSize::Small, kCapacity);
  // Slot 0 has no path: the default icon. After a failure it is the only one.
  lists.slots = iconSlots(db, kind, sink).value_or(std::vector<IconSlot>(1));
  for (const IconSlot& slot : lists.slots) {
    addIcon(lists.large.get(), IconSize::Large, slot.path);
    addIcon(lists.small.get(), IconSize::Small, slot.path);
  }
}

void IconLists::rebuildAll(db::DbConnection& db, platform::MessageSink& sink) {
  for (Kind kind : kAllKinds) rebuild(db, kind, sink);
}

HIMAGELIST IconLists::list(Kind kind, IconSize size) const {
  const Lists& lists = lists_[static_cast<std::size_t>(kind)];
  return size == IconSize::Large ? lists.large.get() : lists.small.get();
}

const std::vector<IconSlot>& IconLists::slots(Kind kind) const { return lists_[static_cast<std::size_t>(kind)].slots; }

}  // namespace qm::master

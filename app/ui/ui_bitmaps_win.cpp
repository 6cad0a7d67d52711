#include "app/ui/ui_bitmaps_win.h"

#include <commctrl.h>

#include "common/platform/files.h"

namespace qm::shell {

void UiBitmaps::load(const std::string& resourceFolder) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    const std::string path = platform::joinPath(resourceFolder, kNames[i]);
    bitmaps_[i].reset(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  }
}

HBITMAP UiBitmaps::bitmap(std::string_view name) const {
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (name == kNames[i]) return bitmaps_[i].get();
  return nullptr;
}

ui::OwnedImageList UiBitmaps::strip(std::string_view name, int size) const {
  HBITMAP source = bitmap(name);
  if (!source) return nullptr;
  // Adding with a mask blackens the transparent pixels of the bitmap given,
  // so the list gets a copy and the loaded bitmap stays as it was.
  ui::OwnedBitmap copy(static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ui::OwnedImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 4, 4));
  if (!copy || !list || ImageList_AddMasked(list.get(), copy.get(), RGB(255, 0, 255)) < 0) return nullptr;
  return list;
}

}  // namespace qm::shell

// The bitmaps of the user interface, loaded once at start-up from the
// program's resource folder. A missing or unreadable file leaves its slot
// empty; whoever draws with it falls back to something plainer.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "app/ui/win_handles_win.h"

namespace qm::shell {

class UiBitmaps {
public:
  static constexpr std::array<const char*, 10> kNames{"toolbar.bmp",  "column.bmp",         "rating.bmp",
                                                      "adult.bmp",    "AlterEgo.bmp",       "maxdisk.bmp",
                                                      "favorite.bmp", "snap_operation.bmp", "images.bmp",
                                                      "wait_anime.bmp"};

  void load(const std::string& resourceFolder);
  // Null when the file was not loaded.
  HBITMAP bitmap(std::string_view name) const;
  // The bitmap cut into size x size images, magenta transparent; null when
  // it was not loaded.
  ui::OwnedImageList strip(std::string_view name, int size) const;

private:
  std::array<ui::OwnedBitmap, kNames.size()> bitmaps_;
};

}  // namespace qm::shell

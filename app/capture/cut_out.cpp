#include "app/capture/cut_out.h"

#include <algorithm>

namespace qm::capture {

ClipSettings clipSettingsFrom(const std::array<int, launch::kClipKeyCount>& clip, int stretchMode) {
  ClipSettings c;
  c.threshold = clip[0];
  for (int i = 0; i < 2; ++i) {
    c.x[i] = clip[1 + 4 * i];
    c.y[i] = clip[2 + 4 * i];
    c.width[i] = clip[3 + 4 * i];
    c.height[i] = clip[4 + 4 * i];
  }
  c.saveWidth = clip[9];
  c.saveHeight = clip[10];
  c.stretchMode = stretchMode;
  return c;
}

CutOut chooseCutOut(int pictureWidth, int pictureHeight, const ClipSettings& clip) {
  const int which = pictureWidth < clip.threshold ? 0 : 1;
  CutOut cut;
  cut.x = std::clamp(clip.x[which], 0, std::max(pictureWidth, 0));
  cut.y = std::clamp(clip.y[which], 0, std::max(pictureHeight, 0));
  cut.width = clip.width[which] > 0 ? clip.width[which] : pictureWidth;
  cut.height = clip.height[which] > 0 ? clip.height[which] : pictureHeight;
  cut.width = std::min(cut.width, pictureWidth - cut.x);
  cut.height = std::min(cut.height, pictureHeight - cut.y);
  cut.saveWidth = clip.saveWidth > 0 ? clip.saveWidth : cut.width;
  cut.saveHeight = clip.saveHeight > 0 ? clip.saveHeight : cut.height;
  return cut;
}

}  // namespace qm::capture

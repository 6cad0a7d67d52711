#include "app/capture/auto_snap_mode.h"

#include "common/text/encoding.h"

namespace qm::capture {

int AutoSnapMode::step() {
  int current = mode_.load();
  while (!mode_.compare_exchange_weak(current, (current + 1) % kAutoSnapModes)) {
  }
  return (current + 1) % kAutoSnapModes;
}

AutoSnapMode& autoSnapMode() {
  static AutoSnapMode mode;
  return mode;
}

std::string autoSnapLabel(int mode) {
  static const char* const kLabels[kAutoSnapModes] = {
      "自動スナップショット: オフ",
      "自動スナップショット: デスクトップ全体",
      "自動スナップショット: 前面のウィンドウ",
      "自動スナップショット: クリップボード画像",
  };
  return text::sjis(kLabels[(mode % kAutoSnapModes + kAutoSnapModes) % kAutoSnapModes]);
}

}  // namespace qm::capture

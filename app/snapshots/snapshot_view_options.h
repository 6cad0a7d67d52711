// The snapshot view window's choices, kept in section "SnapWindow" of
// Quillmoor2.ini, and the commands of its context menu that change them.
#pragma once

#include <array>

#include "app/snapshots/picture_fit.h"

namespace qm {
class Settings;
}

namespace qm::snapshots {

// The context menu's commands: the slot shown, the four fit modes and the
// actual size, the window corner that stays put.
inline constexpr int kShowSlotCommand = 1179;       // + slot 0..2
inline constexpr int kFitCommand = 1182;            // + FitMode 0..4
inline constexpr int kAnchorCommand = 1187;         // + Anchor 0..3
inline constexpr int kLastViewCommand = 1190;

struct SnapViewOptions {
  int slot = 0;  // 0..2; stored as "LoadNum" 1..3
  FitMode fit = FitMode::KeepRatio;
  Anchor anchor = Anchor::TopLeft;
  // "Maximize": pictures smaller than the window are enlarged to fit it;
  // off, they keep their own size.
  bool enlarge = true;
  bool open = false;  // "Active": the window was open when the program closed
  PixelBox placement{100, 100, 580, 460};
};

// Values out of range read as the defaults; a window too small to use gets
// a usable size.
SnapViewOptions snapViewOptions(const Settings& settings);
void storeSnapViewOptions(Settings& settings, const SnapViewOptions& options);

enum class ViewChange { None, Slot, Fit, Anchor };
// Applies a command of the context menu; None for any other command.
ViewChange applyViewCommand(SnapViewOptions& options, int command);

// The commands shown checked: the slot, the fit mode and the anchor.
std::array<int, 3> checkedViewCommands(const SnapViewOptions& options);

}  // namespace qm::snapshots

#include "app/snapshots/snapshot_view_options.h"

#include <algorithm>

#include "app/settings/settings.h"

namespace qm::snapshots {

namespace {

constexpr int kFitModes = 5;
constexpr int kAnchors = 4;
constexpr int kSlots = 3;
constexpr int kSmallest = 80;  // pixels; a stored size below it is no window to use

int inRange(int value, int count, int fallback) { return value >= 0 && value < count ? value : fallback; }

}  // namespace

SnapViewOptions snapViewOptions(const Settings& settings) {
  SnapViewOptions options;
  options.slot = inRange(settings.number(Setting::SnapWindowLoadNum) - 1, kSlots, 0);
  options.fit = static_cast<FitMode>(inRange(settings.number(Setting::SnapWindowTransMode), kFitModes, 0));
  options.anchor = static_cast<Anchor>(inRange(settings.number(Setting::SnapWindowSnapPoint), kAnchors, 0));
  options.enlarge = settings.number(Setting::SnapWindowMaximize) != 0;
  options.open = settings.number(Setting::SnapWindowActive) == 1;
  options.placement = {settings.number(Setting::SnapWindowPositionX), settings.number(Setting::SnapWindowPositionY),
                       std::max(kSmallest, settings.number(Setting::SnapWindowWidth)),
                       std::max(kSmallest, settings.number(Setting::SnapWindowHeight))};
  return options;
}

void storeSnapViewOptions(Settings& settings, const SnapViewOptions& options) {
  settings.setNumber(Setting::SnapWindowLoadNum, options.slot + 1);
  settings.setNumber(Setting::SnapWindowTransMode, static_cast<int>(options.fit));
  settings.setNumber(Setting::SnapWindowSnapPoint, static_cast<int>(options.anchor));
  settings.setNumber(Setting::SnapWindowMaximize, options.enlarge ? 1 : 0);
  settings.setNumber(Setting::SnapWindowActive, options.open ? 1 : 0);
  settings.setNumber(Setting::SnapWindowPositionX, options.placement.left);
  settings.setNumber(Setting::SnapWindowPositionY, options.placement.top);
  settings.setNumber(Setting::SnapWindowWidth, options.placement.width);
  settings.setNumber(Setting::SnapWindowHeight, options.placement.height);
}

ViewChange applyViewCommand(SnapViewOptions& options, int command) {
  if (command >= kShowSlotCommand && command < kShowSlotCommand + kSlots) {
    options.slot = command - kShowSlotCommand;
    return ViewChange::Slot;
  }
  if (command >= kFitCommand && command < kFitCommand + kFitModes) {
    options.fit = static_cast<FitMode>(command - kFitCommand);
    return ViewChange::Fit;
  }
  if (command >= kAnchorCommand && command < kAnchorCommand + kAnchors) {
    options.anchor = static_cast<Anchor>(command - kAnchorCommand);
    return ViewChange::Anchor;
  }
  return ViewChange::None;
}

std::array<int, 3> checkedViewCommands(const SnapViewOptions& options) {
  return {kShowSlotCommand + options.slot, kFitCommand + static_cast<int>(options.fit),
          kAnchorCommand + static_cast<int>(options.anchor)};
}

}  // namespace qm::snapshots

// What one tick of the joystick timer does with a reading: which keys go to
// the main window, whether the emulator menu opens or the focus moves, and
// the focus flash. Repeats are timed against the clock the caller passes:
// nothing here sleeps, so the interface thread never stalls between keys.
#pragma once

#include <optional>
#include <vector>

#include "app/keys/joystick_settings.h"

namespace qm::keys {

struct PollPlace {
  long long now = 0;              // milliseconds, any steady clock
  bool foreground = false;        // the main window is the foreground window
  bool paneFocus = false;         // the focus is on the item list, the group pane or the tree
  bool launchMenuOpen = false;    // a menu of the launch ("エミュレータで起動" and its image menus) is open
  bool otherMenuOpen = false;     // any other menu is open
};

struct PollActions {
  std::vector<int> keyDowns;      // virtual keys, in order
  bool enter = false;             // Enter pressed and released
  bool emulatorMenu = false;      // open the emulator menu at the selected item
  bool nextFocus = false;         // tree -> group pane -> item list -> tree
  bool focusItemList = false;     // the focus comes back to the item list
  bool flashStart = false;        // the pane that got the focus flashes
  bool flashEnd = false;          // the panes get their normal colours back
  bool empty() const {
    return keyDowns.empty() && !enter && !emulatorMenu && !nextFocus && !focusItemList && !flashStart && !flashEnd;
  }
};

class JoystickPoller {
public:
  explicit JoystickPoller(JoystickSettings settings) : settings_(std::move(settings)) {}
  const JoystickSettings& settings() const { return settings_; }

  // `state` is nothing when the controller could not be read.
  PollActions poll(const PollPlace& place, const std::optional<JoyState>& state);

  // The flash lasts this many polls.
  static constexpr int kFlashPolls = 3;
  // Added to the repeat delay after a key sent in a launch menu, while the
  // slow input was held, or after a menu or a focus change.
  static constexpr int kSlowExtraMs = 150;

private:
  bool active(JoyAction action, const JoyState& state) const;

  JoystickSettings settings_;
  int flash_ = 0;
  std::optional<long long> quietUntil_;  // no action before this time after a key
};

}  // namespace qm::keys

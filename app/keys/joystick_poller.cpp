#include "app/keys/joystick_poller.h"

#include "app/keys/key_script.h"

namespace qm::keys {
namespace {

constexpr int kVkPageUp = 33;
constexpr int kVkPageDown = 34;

}  // namespace

bool JoystickPoller::active(JoyAction action, const JoyState& state) const {
  for (const JoyAssignment& a : settings_.of(action))
    if (isActive(a, state)) return true;
  return false;
}

PollActions JoystickPoller::poll(const PollPlace& place, const std::optional<JoyState>& state) {
  PollActions actions;
  if (!place.foreground) return actions;
  if (flash_ > 0 && --flash_ == 1) {
    flash_ = 0;
    actions.flashEnd = true;
  }
  if (quietUntil_) {
    if (place.now < *quietUntil_) return actions;
    quietUntil_.reset();
  }
  if (!state) return actions;
  const bool full = place.paneFocus && !place.otherMenuOpen;
  if (!full) {
    if (active(JoyAction::Focus, *state)) {
      actions.focusItemList = true;
      quietUntil_ = place.now + settings_.repeat + kSlowExtraMs;
    }
    return actions;
  }
  bool sent = false;
  bool slower = place.launchMenuOpen;
  const std::pair<JoyAction, int> moves[] = {{JoyAction::Up, kVkUp},       {JoyAction::Down, kVkDown},
                                             {JoyAction::Left, kVkLeft},   {JoyAction::Right, kVkRight},
                                             {JoyAction::PageUp, kVkPageUp}, {JoyAction::PageDown, kVkPageDown}};
  for (const auto& [action, vk] : moves) {
    if (!active(action, *state)) continue;
    actions.keyDowns.push_back(vk);
    sent = true;
  }
  // A menu already open takes the arrows; opening the emulator menu in it
  // again would stack a second one.
  if (active(JoyAction::EmulatorMenu, *state) && !place.launchMenuOpen) {
    actions.emulatorMenu = true;
    sent = slower = true;
  }
  if (active(JoyAction::Enter, *state)) {
    actions.enter = true;
    sent = true;
  }
  if (active(JoyAction::Focus, *state)) {
    actions.nextFocus = true;
    sent = slower = true;
    if (settings_.flash == 1) {
      actions.flashStart = true;
      flash_ = kFlashPolls;
    }
  }
  if (sent && active(JoyAction::Slow, *state)) slower = true;
  if (sent) quietUntil_ = place.now + settings_.repeat + (slower ? kSlowExtraMs : 0);
  return actions;
}

}  // namespace qm::keys

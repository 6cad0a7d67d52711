#include "app/shell/joystick_control_win.h"

#include "app/keys/key_sender_win.h"

namespace qm::shell {

JoystickControl::JoystickControl(HWND owner, std::string programFolder, JoystickPanes panes,
                                 std::function<void()> openEmulatorMenu)
    : owner_(owner),
      programFolder_(std::move(programFolder)),
      panes_(panes),
      openEmulatorMenu_(std::move(openEmulatorMenu)) {
  reload();
}

void JoystickControl::reload() {
  const qm::keys::JoystickSettings settings = qm::keys::loadJoystickSettings(qm::keys::joystickSettingsPath(programFolder_));
  if (settings.enable != 1) {
    poller_.reset();
    KillTimer(owner_, kTimer);
    return;
  }
  poller_ = std::make_unique<qm::keys::JoystickPoller>(settings);
  SetTimer(owner_, kTimer, kIntervalMs, nullptr);
}

void JoystickControl::tick(bool busy) {
  if (!poller_ || busy) return;
  const HWND focus = GetFocus();
  qm::keys::PollPlace place;
  place.now = static_cast<long long>(GetTickCount64());
  place.foreground = GetForegroundWindow() == owner_;
  place.paneFocus = focus && (focus == panes_.tree || focus == panes_.groups || focus == panes_.items);
  place.launchMenuOpen = launchMenuOpen_;
  place.otherMenuOpen = menuOpen_ && !launchMenuOpen_;
  if (!place.foreground) return;
  const qm::keys::PollActions actions = poller_->poll(place, source_.read(poller_->settings().id));
  for (int vk : actions.keyDowns) qm::keys::sendKey(vk, false);
  if (actions.emulatorMenu && openEmulatorMenu_) openEmulatorMenu_();
  if (actions.enter) {
    qm::keys::sendKey(VK_RETURN, false);
    qm::keys::sendKey(VK_RETURN, true);
  }
  if (actions.nextFocus || actions.focusItemList) moveFocus(actions.focusItemList);
}

void JoystickControl::moveFocus(bool toItems) {
  const HWND focus = GetFocus();
  HWND next = panes_.items;
  if (!toItems) {
    if (focus == panes_.tree) next = panes_.groups;
    else if (focus == panes_.groups) next = panes_.items;
    else next = panes_.tree;
  }
  if (next && IsWindowVisible(next)) SetFocus(next);
}

}  // namespace qm::shell

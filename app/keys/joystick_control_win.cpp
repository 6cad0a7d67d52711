#include "app/keys/joystick_control_win.h"

#include <commctrl.h>

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

JoystickControl::~JoystickControl() { endFlash(); }

void JoystickControl::reload() {
  endFlash();
  const qm::keys::JoystickSettings settings = qm::keys::loadJoystickSettings(qm::keys::joystickSettingsPath(programFolder_));
  if (settings.enable != 1) {
    poller_.reset();
    KillTimer(owner_, kTimer);
    return;
  }
  poller_ = std::make_unique<qm::keys::JoystickPoller>(settings);
  SetTimer(owner_, kTimer, static_cast<UINT>(source_.interval().value_or(kIntervalMs)), nullptr);
}

void JoystickControl::tick(bool busy) {
  if (!poller_) return;
  // A launch that starts under a flash must not leave the pane coloured.
  if (busy) {
    endFlash();
    return;
  }
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
  if (actions.flashEnd) endFlash();
  if (actions.nextFocus || actions.focusItemList) moveFocus(actions.focusItemList);
  if (actions.flashStart) startFlash(GetFocus());
}

std::optional<COLORREF> JoystickControl::flashColour(HWND pane) const {
  if (!pane || pane != flashPane_) return std::nullopt;
  return flashColour_;
}

void JoystickControl::startFlash(HWND pane) {
  endFlash();
  if (!poller_ || !pane || (pane != panes_.tree && pane != panes_.groups && pane != panes_.items)) return;
  flashPane_ = pane;
  flashColour_ = static_cast<COLORREF>(poller_->settings().flashColour) & 0xFFFFFF;
  flashBrush_.reset(CreateSolidBrush(flashColour_));
  if (pane == panes_.tree) {
    paneColour_ = static_cast<COLORREF>(SendMessageA(pane, TVM_GETBKCOLOR, 0, 0));
    SendMessageA(pane, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(flashColour_));
  } else if (pane == panes_.items) {
    paneColour_ = static_cast<COLORREF>(SendMessageA(pane, LVM_GETBKCOLOR, 0, 0));
    SendMessageA(pane, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(flashColour_));
  }
  InvalidateRect(pane, nullptr, TRUE);
}

void JoystickControl::endFlash() {
  HWND pane = flashPane_;
  if (!pane) return;
  flashPane_ = nullptr;
  // The tree answers -1 for "the system colour", which setting -1 brings back.
  if (pane == panes_.tree) SendMessageA(pane, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(paneColour_));
  else if (pane == panes_.items) SendMessageA(pane, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(paneColour_));
  if (IsWindow(pane)) InvalidateRect(pane, nullptr, TRUE);
  flashBrush_.reset();
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

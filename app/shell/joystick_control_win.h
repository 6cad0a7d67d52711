// The main window driven by a game controller: timer 2 polls every 25 ms
// while "enable" is 1 in Quillmoor2_Joy.ini and no launch is under way, and
// the poller's actions become keys for the focused pane, the emulator menu
// and focus moves between the panes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/keys/joystick_poller.h"
#include "app/keys/joystick_win.h"

namespace qm::shell {

struct JoystickPanes {
  HWND tree = nullptr;
  HWND groups = nullptr;
  HWND items = nullptr;
};

class JoystickControl {
public:
  static constexpr UINT_PTR kTimer = 2;
  static constexpr UINT kIntervalMs = 25;

  JoystickControl(HWND owner, std::string programFolder, JoystickPanes panes, std::function<void()> openEmulatorMenu);
  // Reads the settings again (after the dialog) and starts or stops the timer.
  void reload();
  // One timer tick; `busy` while a launch prepares or an emulator runs.
  void tick(bool busy);
  void menuLoop(bool open) {
    menuOpen_ = open;
    if (!open) launchMenuOpen_ = false;
  }
  void launchMenuOpened() { launchMenuOpen_ = true; }

private:
  void moveFocus(bool toItems);

  HWND owner_;
  std::string programFolder_;
  JoystickPanes panes_;
  std::function<void()> openEmulatorMenu_;
  std::unique_ptr<qm::keys::JoystickPoller> poller_;
  qm::keys::JoystickSource source_;
  bool menuOpen_ = false;
  bool launchMenuOpen_ = false;
};

}  // namespace qm::shell

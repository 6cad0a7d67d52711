// The main window's part of key emulation and snapshot capture: the joystick
// timer and dialog, the automatic snapshot mode's tool bar button and menu
// command, the choice of automatic snapshots a launch asks for, and the
// snapshot notice when the window is active again after a launch.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/keys/joystick_control_win.h"
#include "app/launch/launch_controller_win.h"
#include "app/settings/settings.h"

namespace qm::shell {

class EmulatorExtras {
public:
  struct Place {
    HWND owner = nullptr;
    std::string programFolder;
    std::string dbPath;
    std::string settingsPath;
    JoystickPanes panes;
    launch::LaunchController* launcher = nullptr;
    const Settings* settings = nullptr;
    // The tool bar button shows the automatic snapshot mode.
    std::function<void(int mode)> showAutoSnapMode;
    // A note in the status bar (keys of a key script that were not sent).
    std::function<void(const std::string& text)> showNote;
  };
  explicit EmulatorExtras(Place place);

  // True when the message was one of these; `result` is then the answer.
  bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The background of `pane` while the joystick's focus flash is on it.
  std::optional<COLORREF> flashColour(HWND pane) const { return joystick_->flashColour(pane); }

private:
  void openEmulatorMenu();

  Place place_;
  std::unique_ptr<JoystickControl> joystick_;
};

}  // namespace qm::shell

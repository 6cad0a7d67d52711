// The main window driven by a game controller: timer 2 polls every 25 ms
// while "enable" is 1 in Quillmoor2_Joy.ini and no launch is under way, and
// the poller's actions become keys for the focused pane, the emulator menu
// and focus moves between the panes. With "flash" on, the pane that the
// joystick gives the focus takes the flash colour as its background for the
// poller's few polls: the tree and the list view through their own
// background colour, the owner-drawn rows and the group pane through the
// main window asking flashColour.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/keys/joystick_poller.h"
#include "app/keys/joystick_win.h"
#include "app/ui/win_handles_win.h"

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
  ~JoystickControl();
  JoystickControl(const JoystickControl&) = delete;
  JoystickControl& operator=(const JoystickControl&) = delete;
  // Reads the settings again (after the dialog) and starts or stops the timer.
  void reload();
  // One timer tick; `busy` while a launch prepares or an emulator runs.
  void tick(bool busy);
  void menuLoop(bool open) {
    menuOpen_ = open;
    if (!open) launchMenuOpen_ = false;
  }
  void launchMenuOpened() { launchMenuOpen_ = true; }
  // The background `pane` is drawn in while it flashes; nothing otherwise.
  std::optional<COLORREF> flashColour(HWND pane) const;
  // The brush for the flashing pane's own background (WM_CTLCOLOR*), or null.
  HBRUSH flashBrush(HWND pane) const { return flashColour(pane) ? flashBrush_.get() : nullptr; }

private:
  void moveFocus(bool toItems);
  void startFlash(HWND pane);
  void endFlash();

  HWND owner_;
  std::string programFolder_;
  JoystickPanes panes_;
  std::function<void()> openEmulatorMenu_;
  std::unique_ptr<qm::keys::JoystickPoller> poller_;
  qm::keys::JoystickSource source_;
  bool menuOpen_ = false;
  bool launchMenuOpen_ = false;
  HWND flashPane_ = nullptr;
  COLORREF flashColour_ = 0;
  COLORREF paneColour_ = 0;  // the flashing pane's own background, given back at the end
  ui::OwnedGdi<HBRUSH> flashBrush_;
};

}  // namespace qm::shell

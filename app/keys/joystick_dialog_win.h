// The joystick settings dialog: on or off, the controller's id, the repeat
// delay, the focus flash, and two assignments per direction and one per
// other action, each captured from the controller.
#pragma once

#include <windows.h>

#include <string>

namespace qm::keys {

// True when the settings were saved.
bool runJoystickDialog(HWND owner, const std::string& programFolder);

}  // namespace qm::keys

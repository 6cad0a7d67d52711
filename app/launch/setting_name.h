// Names that become file names: emulator settings, machines (a machine's
// folder and defaults file are named after it) and include files of
// rewriting scripts.
#pragma once

#include <string_view>

namespace qm::launch {

// False for an empty name, one holding \ / : < > ? | * " CR LF TAB (or "."
// unless dots are allowed), and a device name as common/platform/device_name.h
// tells one ("CON", and with dots allowed "con.ini" too).
bool isValidSettingName(std::string_view name, bool allowDot);

// A machine name or an "INIFile" value is checked the same way with dots
// allowed, and "." and ".." refused: either would lead out of the tree.
bool isSafeFileName(std::string_view name);

}  // namespace qm::launch

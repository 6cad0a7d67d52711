// "ショートカットキーの割り当て": the list of shortcut entries with their keys,
// a key drop-down and the modifier boxes for the chosen entry. OK writes
// Quillmoor2_Key.ini.
#pragma once

#include <windows.h>

#include <string>

namespace qm::shell {

// Control identifiers, for the end-to-end driver.
enum ShortcutKeysControl : int { kShortcutList = 100, kShortcutKey = 101, kShortcutShift = 102, kShortcutCtrl = 103,
                                 kShortcutAlt = 104 };

// True when OK saved the keys.
bool runShortcutKeysDialog(HWND owner, const std::string& programFolder);

}  // namespace qm::shell

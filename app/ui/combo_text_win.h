// The text of a combo box's list entries.
#pragma once

#include <windows.h>

#include <string>

namespace qm::ui {

// Entry `index` of `combo` (program text); "" for no such entry.
std::string comboItemText(HWND combo, int index);
// The selected entry's text; "" when nothing is selected.
std::string comboSelectedText(HWND combo);

}  // namespace qm::ui

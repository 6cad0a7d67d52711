// The texts of controls: a window's own text and a combo box's list entries.
#pragma once

#include <windows.h>

#include <string>

namespace qm::ui {

// The whole text of a control (an edit field, a combo box's edit), program text.
std::string windowText(HWND window);

// Entry `index` of `combo` (program text); "" for no such entry.
std::string comboItemText(HWND combo, int index);
// The selected entry's text; "" when nothing is selected.
std::string comboSelectedText(HWND combo);

}  // namespace qm::ui

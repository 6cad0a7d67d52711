// The smart title of one item in a message box.
#pragma once

#include <windows.h>

#include <string>

namespace qm::maintenance {

// Nothing happens without an item ("" file name).
void showSmartTitleCheck(HWND owner, const std::string& dbPath, const std::string& fileName);

}  // namespace qm::maintenance

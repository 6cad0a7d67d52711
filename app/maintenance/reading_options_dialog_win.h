// The reading options dialog: the options of the bulk reading run (kept in the
// main window's settings) and, under "高度な設定 >>", the symbol tables of
// "YomiConvChar", written on OK once they pass their checks.
#pragma once

#include <windows.h>

#include <string>

#include "app/settings/settings.h"

namespace qm::maintenance {

// Modal over `owner`; true when OK saved the options.
bool openReadingOptionsDialog(HWND owner, Settings& settings, const std::string& settingsPath);

}  // namespace qm::maintenance

// The general settings dialog ("全体設定"): safe loading of the archive
// libraries and the search bar's font height, written to Quillmoor2.ini on OK
// and in effect from the next start.
#pragma once

#include <windows.h>

#include <string>

namespace qm::shell {

// Control identifiers, for the end-to-end scripts.
inline constexpr int kGeneralDllSafeLoad = 100;
inline constexpr int kGeneralSearchFontHeight = 101;

// True when the settings were written.
bool runGeneralSettings(HWND owner, const std::string& settingsPath);

}  // namespace qm::shell

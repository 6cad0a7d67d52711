// The emulator settings dialog ("エミュレータ設定"): the settings of each
// machine, edited on four pages, saved with the checks of setting_store.h,
// copied, deleted and made the machine's default.
#pragma once

#include <windows.h>

#include <string>

#include "app/settings/settings.h"

namespace qm::launch {

// Says so and opens nothing when no machine is registered. `key` is the item list's current item, whose machine and setting open
// first ("" for none). True when per-image assignments changed, so that the
// item list wants a refresh. The snapshot page also edits the program-wide
// capture settings of `settings` (the window's, written to Quillmoor2.ini too).
bool runEmulatorSettingsDialog(HWND owner, const std::string& programFolder, const std::string& dbPath,
                               const std::string& key, Settings* settings = nullptr);

}  // namespace qm::launch

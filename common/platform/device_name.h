// File names Windows takes for a device in any folder: the part before the
// first dot, trailing blanks and dots left off, is AUX, CLOCK$, COM1-9, CON,
// CONFIG$, LPT1-9, NUL or PRN in any letter case ("con", "Nul.txt", "aux .d88",
// "LPT1.a.b"). Creating such a file writes to the device instead.
#pragma once

#include <string_view>

namespace qm::platform {

// `fileName` is one name, not a path.
bool isDeviceName(std::string_view fileName);

}  // namespace qm::platform

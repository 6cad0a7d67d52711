// The reading options in use: the main window's settings hold them, read at
// start-up and written at exit with the rest of "EditUICheckBoxs", so the
// options dialog changes them there. The user map is never stored and is off
// at every start of the program.
#pragma once

#include "app/settings/settings.h"
#include "common/text/reading_settings.h"

namespace qm::maintenance {

text::ReadingOptions readingOptions(const Settings& settings, bool userMap);
void storeReadingOptions(Settings& settings, const text::ReadingOptions& options);

// The user map's switch for this run of the program (interface thread only).
bool& userMapSwitch();

}  // namespace qm::maintenance

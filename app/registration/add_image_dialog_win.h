// The image-add dialog "イメージファイルの追加": two tab pages of choices,
// the checks before a run, and runs through the progress window. It stays
// open for further runs until closed.
#pragma once

#include "app/registration/progress_window_win.h"

namespace qm::registration {

// False when it did not open (no machine yet); otherwise the library may have
// changed and the caller fills its list again.
bool openAddImageDialog(const RunPlace& place);

}  // namespace qm::registration

// The image-add dialog "イメージファイルの追加": two tab pages of choices,
// the checks before a run, and runs through the progress window. It stays
// open for further runs until closed.
#pragma once

#include "app/shell/commands_win.h"

namespace qm::registration {

void openAddImageDialog(shell::CommandContext& context);

}  // namespace qm::registration

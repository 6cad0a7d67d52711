// The "編集" menu's record commands: the record editor (1124), the bulk
// changes (1125-1134) with the genre and rating-mark popups and the adult
// toggle.
#pragma once

#include "app/shell/commands_win.h"

namespace qm::shell {

void editRecordOfSelected(CommandContext& context);
// Commands 1125-1127, 1129 and 1132-1134.
void bulkChangeOfSelected(CommandContext& context, int command);
void genreOfSelected(CommandContext& context);
void adultMarkOfSelected(CommandContext& context);
void toggleAdultOfSelected(CommandContext& context);

}  // namespace qm::shell

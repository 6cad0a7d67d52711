// The main menu's small commands: favourites, boot reset, removal of the
// emulator choice, the image's folder, the database backup, help, the version
// box, the general settings and the tool bar lock.
#pragma once

#include "app/shell/commands_win.h"

namespace qm::shell {

void toggleFavourite(CommandContext& context, int slot);
void resetBootOfSelected(CommandContext& context);
void releaseEmulatorOfSelected(CommandContext& context);
void openImageFolder(CommandContext& context);
void backupDatabaseFile(CommandContext& context);
void openHelp(CommandContext& context);
void showVersion(CommandContext& context);
void openGeneralSettings(CommandContext& context);
void toggleToolbarLock(CommandContext& context);

}  // namespace qm::shell

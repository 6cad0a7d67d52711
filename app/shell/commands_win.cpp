#include "app/shell/commands_win.h"

#include <iterator>

#include "app/maintenance/database_properties_dialog_win.h"
#include "app/maintenance/maintenance_dialog_win.h"
#include "app/shell/main_window_win.h"
#include "app/shell/master_dialogs_win.h"
#include "app/shell/menu_table.h"

namespace qm::shell {
namespace {

struct Command {
  int id;
  void (*run)(CommandContext&);
};

void exitProgram(CommandContext& context) { DestroyWindow(context.owner); }

// The item list shows master names and icons: it is filled again after a change.
void manageMasters(CommandContext& context, master::Kind kind) {
  const master::ManagementContext management{context.owner, context.app->dbPath, context.app->programFolder,
                                             context.masterIcons};
  if (master::runManagement(management, kind)) context.refreshItemList();
}
void manageMachines(CommandContext& context) { manageMasters(context, master::Kind::Machine); }
void manageMedia(CommandContext& context) { manageMasters(context, master::Kind::Media); }
void manageGenres(CommandContext& context) { manageMasters(context, master::Kind::Genre); }
void manageAdultex(CommandContext& context) { manageMasters(context, master::Kind::Adultex); }

using maintenance::MaintenanceMode;

void removeMissing(CommandContext& context) {
  maintenance::openMaintenanceDialog(context, MaintenanceMode::RemoveMissing);
}
void makeKana(CommandContext& context) { maintenance::openMaintenanceDialog(context, MaintenanceMode::KanaReading); }
void rebuildSmartTitles(CommandContext& context) {
  maintenance::openMaintenanceDialog(context, MaintenanceMode::SmartTitleRebuild);
}
void databaseProperties(CommandContext& context) {
  maintenance::openDatabaseProperties(context.owner, context.app->dbPath);
}

constexpr Command kCommands[] = {
    {menu::kExit, exitProgram},
    {menu::kManageMachines, manageMachines},
    {menu::kManageMedia, manageMedia},
    {menu::kManageGenres, manageGenres},
    {menu::kManageAdultex, manageAdultex},
    {menu::kRemoveMissing, removeMissing},
    {menu::kMakeKana, makeKana},
    {menu::kRebuildSmartTitles, rebuildSmartTitles},
    {menu::kDatabaseProperties, databaseProperties},
};

}  // namespace

bool runCommand(int id, CommandContext& context) {
  for (const auto& command : kCommands) {
    if (command.id != id) continue;
    command.run(context);
    return true;
  }
  return false;
}

}  // namespace qm::shell

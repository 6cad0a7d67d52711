#include "app/shell/commands_win.h"

#include <iterator>

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

constexpr Command kCommands[] = {
    {menu::kExit, exitProgram},
    {menu::kManageMachines, manageMachines},
    {menu::kManageMedia, manageMedia},
    {menu::kManageGenres, manageGenres},
    {menu::kManageAdultex, manageAdultex},
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

#include "app/shell/commands_win.h"

#include <iterator>

#include "app/shell/menu_table.h"

namespace qm::shell {
namespace {

struct Command {
  int id;
  void (*run)(CommandContext&);
};

void exitProgram(CommandContext& context) { DestroyWindow(context.owner); }

constexpr Command kCommands[] = {
    {menu::kExit, exitProgram},
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

#include "app/maintenance/multi_image.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/set_items.h"

namespace qm::cli {

int runRemove(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  if (args.positional.empty()) {
    printError("usage: remove [--db PATH] [--with-sets] KEY...");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  std::vector<maintenance::SetItem> items;
  if (!lookUpItems(path, args.positional, items)) return 1;
  // A parent's children go with it; a script says so, else they would be
  // removed unseen.
  if (!args.has("--with-sets")) {
    for (const auto& item : items) {
      if (item.ply != "1") continue;
      printError("error: the parent of a set, its children would go too (--with-sets): " + item.fileName);
      return 1;
    }
  }
  // Naming the keys is the confirmation.
  ConsoleSink sink(true);
  const auto outcome = maintenance::removeFromLibrary(path, items, sink);
  return outcome.failed ? 1 : 0;
}

}  // namespace qm::cli

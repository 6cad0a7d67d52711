#include "app/maintenance/multi_image.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/set_items.h"

namespace qm::cli {

int runDissolve(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  if (args.positional.size() != 1) {
    printError("usage: dissolve [--db PATH] KEY");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  std::vector<maintenance::SetItem> parent;
  if (!lookUpItems(path, args.positional, parent)) return 1;
  if (parent[0].ply != "1") {
    printError("error: not the parent of a set: " + parent[0].fileName);
    return 1;
  }
  ConsoleSink sink(false);
  const auto outcome = maintenance::dissolveSet(path, parent[0], sink);
  return outcome.ran && !outcome.failed ? 0 : 1;
}

}  // namespace qm::cli

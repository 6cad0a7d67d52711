#include "app/maintenance/multi_image.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/set_items.h"

namespace qm::cli {

int runJoin(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--target"});
  const std::string target = args.get("--target");
  if (target.empty() || args.positional.empty()) {
    printError("usage: join [--db PATH] --target KEY KEY... [--yes]");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  std::vector<maintenance::SetItem> targetItem;
  std::vector<maintenance::SetItem> dropped;
  if (!lookUpItems(path, {target}, targetItem) || !lookUpItems(path, args.positional, dropped)) return 1;
  ConsoleSink sink(args.has("--yes"));
  const auto outcome = maintenance::joinIntoSet(path, targetItem[0], dropped, sink);
  if (!outcome.ran) {
    printError("error: nothing joined");
    return 1;
  }
  return outcome.failed ? 1 : 0;
}

}  // namespace qm::cli

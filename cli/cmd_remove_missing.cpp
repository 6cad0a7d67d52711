#include "app/maintenance/missing_images.h"
#include "cli/maintenance_console.h"

namespace qm::cli {

// --all removes every image of the machine, asked first: only --yes says Yes.
int runRemoveMissing(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine"});
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  ConsoleRun run(path, args.has("--yes"));
  maintenance::SystemFileProbe files;
  const maintenance::RemovalRun what{machineChoice(args), !args.has("--all")};
  const auto result = maintenance::removeImages(run.context(), what, files);
  if (result.removed > 0 || result.skipped > 0)
    printLine("removed: " + std::to_string(result.removed) + ", skipped: " + std::to_string(result.skipped));
  return finish(result);
}

}  // namespace qm::cli

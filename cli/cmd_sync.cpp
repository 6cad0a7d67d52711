#include "app/sync/folder_sync.h"
#include "cli/maintenance_console.h"
#include "cli/register_options.h"
#include "common/platform/files.h"
#include "common/platform/path_separators.h"

namespace qm::cli {
namespace {

std::string usage() {
  return std::string("usage: quillmoor-cli sync [--db PATH] --machine NAME ") + kRegisterOptionsUsage +
         " [--test] [--remove-missing [--yes]] FOLDER";
}

}  // namespace

// New files are added, never put over rows: --overwrite has no place here.
int runSync(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, registerValuedOptions());
  sync::SyncRequest request;
  if (args.positional.size() != 1 || !args.options.contains("--machine") || args.has("--overwrite") ||
      args.has("--keep-favourites") ||
      !readRegisterOptions(args, {"--test", "--remove-missing", "--yes"}, request.registration)) {
    printError(usage());
    return 2;
  }
  const std::string dbPath = databasePath(args);
  if (!libraryExists(dbPath)) return 1;
  const std::string& folder = args.positional[0];
  request.registration.path =
      platform::isAbsolutePath(folder) ? folder : platform::joinPath(platform::currentFolder(), folder);
  if (!platform::folderExists(request.registration.path)) {
    printError("error: no such folder: " + request.registration.path);
    return 1;
  }
  request.testOnly = args.has("--test");
  request.removeMissing = args.has("--remove-missing");
  ConsoleRun run(dbPath, args.has("--yes"));
  request.settingsPath = run.settingsPath();
  maintenance::SystemFileProbe files;
  const sync::SyncResult result = sync::syncFolder(run.context(), request, files);
  if (result.status != maintenance::RunStatus::Completed) return 1;
  if (result.declined) {
    printError("nothing was removed; run again with --yes to remove the missing images");
    return 1;
  }
  // A folder, archive or file that could not be read: not all was brought up to date.
  return result.unreadable > 0 ? 1 : 0;
}

}  // namespace qm::cli

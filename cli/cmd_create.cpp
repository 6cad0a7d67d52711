#include "cli/cli.h"
#include "common/platform/files.h"
#include "dblib/database_setup.h"
#include "dblib/schema.h"

namespace qm::cli {

int runCreate(const std::vector<std::string>& argv) {
  Arguments args = parseArguments(argv, {"--db"});
  dblib::SetupPaths paths;
  paths.dbPath = databasePath(args);
  paths.programFolder = platform::folderOf(paths.dbPath);
  paths.dbFileName = platform::fileNameOf(paths.dbPath);
  paths.settingsPath = platform::joinPath(paths.programFolder, "Quillmoor2.ini");

  ConsoleSink sink(args.has("--yes"));
  auto result = dblib::makeDatabase(paths, sink);
  const std::string& db = paths.dbPath;
  const std::string current = std::to_string(dblib::kSchemaVersion);
  switch (result.outcome) {
    case dblib::SetupOutcome::Created:
      printLine("created " + db + " (schema version " + current + ")");
      return 0;
    case dblib::SetupOutcome::Ready:
      printLine(db + " is ready (schema version " + std::to_string(result.versionBefore) + ")");
      return 0;
    case dblib::SetupOutcome::Upgraded:
      printLine("upgraded " + db + " from schema version " + std::to_string(result.versionBefore) + " to " + current);
      printLine("backup: " + result.backupPath);
      return 0;
    case dblib::SetupOutcome::VersionUnreadable:
      printError("error: the schema version of " + db + " could not be read; nothing was changed");
      return 1;
    case dblib::SetupOutcome::Declined:
      printError("error: " + db + " needs an upgrade from schema version " + std::to_string(result.versionBefore) +
                 "; run again with --yes to back it up and upgrade it");
      return 1;
    case dblib::SetupOutcome::Failed:
      break;
  }
  printError("error: " + db + " could not be made ready");
  return 1;
}

}  // namespace qm::cli

#include "app/maintenance/database_properties.h"
#include "cli/maintenance_console.h"

namespace qm::cli {

int runVacuum(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  const auto before = maintenance::readDatabaseFigures(path).fileSize;
  if (const auto error = maintenance::vacuumDatabase(path)) {
    printError("[" + maintenance::vacuumFailureCaption() + "] " + maintenance::vacuumFailureMessage(*error));
    return 1;
  }
  printLine(path + ": " + before + " -> " + maintenance::readDatabaseFigures(path).fileSize);
  return 0;
}

}  // namespace qm::cli

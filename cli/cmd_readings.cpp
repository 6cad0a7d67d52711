#include "app/maintenance/reading_run.h"
#include "cli/maintenance_console.h"
#include "common/text/reading_settings.h"

namespace qm::cli {

int runReadings(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine"});
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  ConsoleRun run(path, false);
  const platform::IniFile ini(run.settingsPath());
  maintenance::ReadingRun what{machineChoice(args), args.has("--only-empty"), text::loadReadingOptions(ini),
                               text::loadSymbolTables(ini)};
  return finish(maintenance::generateReadings(run.context(), what));
}

}  // namespace qm::cli

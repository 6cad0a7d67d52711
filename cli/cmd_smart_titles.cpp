#include "app/maintenance/smart_title_run.h"
#include "cli/maintenance_console.h"
#include "common/text/reading_settings.h"

namespace qm::cli {

int runSmartTitles(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine"});
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  ConsoleRun run(path, false);
  const auto tables = text::loadSymbolTables(platform::IniFile(run.settingsPath()));
  return finish(
      maintenance::rebuildSmartTitles(run.context(), maintenance::SmartTitleMode::Rebuild, machineChoice(args), tables));
}

}  // namespace qm::cli

#include "app/exchange/csv_export.h"
#include "app/exchange/csv_import.h"
#include "cli/maintenance_console.h"
#include "cli/set_items.h"
#include "common/platform/ini.h"
#include "common/text/reading_settings.h"

namespace qm::cli {
namespace {

int finishCsv(const exchange::CsvOutcome& outcome) {
  printLine("records: " + std::to_string(outcome.records) + ", added: " + std::to_string(outcome.added) +
            ", skipped: " + std::to_string(outcome.skipped) +
            ", lost characters: " + std::to_string(outcome.lostCharacters));
  switch (outcome.ending) {
    case exchange::CsvEnding::Completed: return 0;
    case exchange::CsvEnding::Stopped: return 130;
    default: return 1;
  }
}

}  // namespace

int runExportCsv(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine"});
  if (args.positional.size() != 1) {
    printError("usage: quillmoor-cli export-csv [--db PATH] [--machine NAME] [--no-header] FILE");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  ConsoleRun run(path, false);
  const exchange::CsvExportRequest what{args.positional[0], machineChoice(args), !args.has("--no-header")};
  return finishCsv(exchange::exportCsv(run.context(), what));
}

// New keys are asked about: --yes imports them, else they are skipped.
int runImportCsv(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  if (args.positional.size() != 1) {
    printError("usage: quillmoor-cli import-csv [--db PATH] [--no-header] [--yes] FILE");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  ConsoleRun run(path, args.has("--yes"));
  const exchange::CsvImportRequest what{args.positional[0], !args.has("--no-header"),
                                        text::loadSymbolTables(platform::IniFile(run.settingsPath()))};
  const int code = finishCsv(exchange::importCsv(run.context(), what));
  return rebuildSetSizes(path) ? code : 1;
}

}  // namespace qm::cli

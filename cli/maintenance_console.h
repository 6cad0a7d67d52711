// What the library upkeep subcommands share: the settings file beside the
// library, the run's log on standard output, Ctrl+C as the stop request (the
// rows done so far are kept), and exit codes from a run's outcome.
#pragma once

#include <string>

#include "app/maintenance/saved_search_view.h"
#include "cli/cli.h"
#include "common/run/run_context.h"

namespace qm::cli {

class ConsoleRunObserver : public maintenance::RunObserver {
public:
  void log(const std::string& line) override { printLine(line); }
  void progressRange(int) override {}
  void progressStep() override {}
};

// One run from the command line, with everything its context refers to.
class ConsoleRun {
public:
  ConsoleRun(const std::string& dbPath, bool answerYes);
  maintenance::RunContext context();
  const std::string& settingsPath() const { return settingsPath_; }

private:
  std::string dbPath_;
  std::string settingsPath_;
  ConsoleSink sink_;
  ConsoleRunObserver observer_;
  maintenance::SavedSearchView view_;
};

// Quillmoor2.ini in the library's folder.
std::string settingsPathFor(const std::string& dbPath);
// --machine NAME, else every machine.
maintenance::MachineChoice machineChoice(const Arguments& args);
// Opening a missing library would create it: say so instead.
bool libraryExists(const std::string& dbPath);
// 0 done (or nothing to do) without a failed row, 130 stopped, 1 otherwise;
// the counts on stdout.
int finish(const maintenance::RunResult& result);

}  // namespace qm::cli

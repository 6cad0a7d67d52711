#include "cli/maintenance_console.h"

#include <csignal>

#include "common/platform/files.h"

namespace qm::cli {
namespace {

using maintenance::RunStatus;

extern "C" void requestStop(int) { maintenance::processStopFlag().store(stop::kAsked); }

}  // namespace

ConsoleRun::ConsoleRun(const std::string& dbPath, bool answerYes)
    : dbPath_(dbPath), settingsPath_(settingsPathFor(dbPath)), sink_(answerYes), view_(dbPath, settingsPath_) {
  maintenance::processStopFlag().store(0);
  std::signal(SIGINT, requestStop);
}

maintenance::RunContext ConsoleRun::context() {
  return {dbPath_, sink_, observer_, view_, maintenance::processStopFlag()};
}

std::string settingsPathFor(const std::string& dbPath) {
  return platform::joinPath(platform::folderOf(dbPath), "Quillmoor2.ini");
}

maintenance::MachineChoice machineChoice(const Arguments& args) {
  auto it = args.options.find("--machine");
  return it == args.options.end() ? maintenance::MachineChoice::everyMachine()
                                  : maintenance::MachineChoice::only(it->second);
}

bool libraryExists(const std::string& dbPath) {
  if (platform::fileExists(dbPath)) return true;
  printError("error: no database at " + dbPath);
  return false;
}

int finish(const maintenance::RunResult& result) {
  if (result.rows > 0)
    printLine("rows: " + std::to_string(result.rows) + ", done: " + std::to_string(result.done) +
              ", failed: " + std::to_string(result.failed));
  switch (result.status) {
    case RunStatus::Completed:
    case RunStatus::NoRows:
      if (result.failed == 0) return 0;
      printError("error: " + std::to_string(result.failed) + " rows failed");
      return 1;
    case RunStatus::Stopped:
      return 130;
    case RunStatus::NoMachine:
      printError("error: no machine named");
      return 1;
    case RunStatus::Declined:
      printError("nothing was removed; run again with --yes to remove every image");
      return 1;
    default:
      return 1;
  }
}

}  // namespace qm::cli

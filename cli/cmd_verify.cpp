#include "app/dat_verify/dat_verify.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"

namespace qm::cli {

// The report on standard output, what the DAT held on standard error; exit
// 0 whatever the images are, as long as the DAT and the library were read.
int runVerify(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine", "--dat"});
  if (args.get("--dat").empty()) {
    printError("usage: verify [--db PATH] [--machine NAME] --dat FILE");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  const datverify::DatLoad load = datverify::loadDatFile(args.get("--dat"));
  if (!load.dat) {
    printError("error: " + load.error);
    return 1;
  }
  ConsoleRunObserver observer;
  const StopFlag stop{stop::kRunning};
  const datverify::VerifyReport report = datverify::verifyLibrary(path, machineChoice(args), *load.dat, observer, stop);
  if (!report.failure.empty()) {
    printError("error: " + report.failure);
    return 1;
  }
  printError(report.notice);
  for (const std::string& line : datverify::reportLines(report)) printLine(line);
  return 0;
}

}  // namespace qm::cli

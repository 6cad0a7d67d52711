#include <chrono>
#include <csignal>
#include <cstdio>

#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/register_options.h"
#include "cli/set_items.h"
#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/text/encoding.h"
#include "crclib/registration.h"

namespace qm::cli {
namespace {

reg::StopFlag gStop{0};

extern "C" void stopRegistration(int) { gStop.store(stop::kNow); }

// Status texts on standard error, at most a few a second; the final one on
// standard output.
class ConsoleHost : public reg::RegistrationHost {
public:
  void status(const std::string& text) override {
    last_ = text;
    const auto now = std::chrono::steady_clock::now();
    if (now - shown_ < std::chrono::milliseconds(500)) return;
    shown_ = now;
    printError(text);
  }
  void currentItem(const std::string&) override {}
  void marker(const char*) override {}
  void progressRange(std::uint32_t) override {}
  void progressStep() override {}
  void ended() override {}
  void log(const std::string& line) override { printError(line); }
  platform::MessageSink& messages() override { return sink_; }

private:
  ConsoleSink sink_{false};
  std::string last_;
  std::chrono::steady_clock::time_point shown_{};
};

std::string usage() {
  return std::string("usage: quillmoor-cli register [--db PATH] --machine NAME ") + kRegisterOptionsUsage +
         " FOLDER_OR_FILE";
}

}  // namespace

int runRegister(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, registerValuedOptions());
  reg::RegistrationRequest request;
  if (args.positional.size() != 1 || !args.options.contains("--machine") || !readRegisterOptions(args, {}, request)) {
    printError(usage());
    return 2;
  }
  const std::string dbPath = databasePath(args);
  if (!libraryExists(dbPath)) return 1;

  std::string path = args.positional[0];
  request.path = platform::isAbsolutePath(path) ? path : platform::joinPath(platform::currentFolder(), path);
  if (!platform::fileExists(request.path)) {
    printError("error: no such file or folder: " + request.path);
    return 1;
  }

  const reg::LibraryPaths paths{dbPath, settingsPathFor(dbPath), platform::folderOf(dbPath)};
  ConsoleHost host;
  gStop.store(stop::kRunning);
  std::signal(SIGINT, stopRegistration);
  const reg::RegistrationResult result = reg::runRegistration(paths, request, host, gStop);
  std::signal(SIGINT, SIG_DFL);
  if (!result.finalStatus.empty()) printLine(result.finalStatus);
  if (!rebuildSetSizes(dbPath)) return 1;
  // A damaged archive or an unreadable file: not all that was asked was done.
  const bool partial = result.damaged > 0 || result.unreadable > 0;
  switch (result.end) {
    case reg::RegistrationEnd::Completed:
      return partial ? 1 : 0;
    case reg::RegistrationEnd::NothingFound:
      return 0;
    case reg::RegistrationEnd::Cancelled:
      return 130;
    default:
      return 1;
  }
}

}  // namespace qm::cli

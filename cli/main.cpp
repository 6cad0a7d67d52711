// quillmoor-cli: the library's operations without the window, for scripts,
// benchmarks and end-to-end checks.
#include <clocale>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const std::vector<std::string>&);
  const char* usage;
};

constexpr Command kCommands[] = {
    {"create", qm::cli::runCreate, "create [--db PATH] [--yes]   create or upgrade the library database"},
    {"info", qm::cli::runInfo, "info [--db PATH]             schema version and counts of the library"},
};

int usage() {
  qm::cli::printError("usage: quillmoor-cli COMMAND [OPTIONS]");
  for (const auto& command : kCommands) qm::cli::printError(std::string("  ") + command.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  if (argc < 2) return usage();
  std::vector<std::string> args;
  for (int i = 2; i < argc; ++i) args.push_back(qm::cli::fromTerminal(argv[i]));
  for (const auto& command : kCommands)
    if (std::strcmp(argv[1], command.name) == 0) return command.run(args);
  qm::cli::printError(std::string("unknown command: ") + argv[1]);
  return usage();
}

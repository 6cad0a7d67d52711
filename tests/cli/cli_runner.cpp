#include "tests/cli/cli_runner.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace qm::test {

CliRun runQuillmoorCli(const std::string& arguments, const std::string& prefix) {
  const std::string command = prefix + "./quillmoor-cli " + arguments + " 2>&1";
  CliRun run{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace qm::test

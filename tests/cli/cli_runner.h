// quillmoor-cli run as a script runs it, from the bin folder the tests start in.
#pragma once

#include <string>

namespace qm::test {

struct CliRun {
  int exitCode;
  std::string output;  // standard output and standard error together
};

// `prefix` is shell text put before the command: an environment setting, or a
// pipe into its standard input.
CliRun runQuillmoorCli(const std::string& arguments, const std::string& prefix = {});

}  // namespace qm::test

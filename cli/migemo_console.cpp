#include "cli/migemo_console.h"

#include "cli/cli.h"

namespace qm::cli {

std::unique_ptr<search::MigemoSource> openConsoleMigemo() {
  printError("error: the romaji search library is not built into this quillmoor-cli");
  return nullptr;
}

}  // namespace qm::cli

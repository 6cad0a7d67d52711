#include "app/search/saved_queries.h"
#include "cli/cli.h"
#include "common/platform/files.h"

namespace qm::cli {
namespace {

void printTree(const std::vector<search::QueryNode>& nodes, const std::string& prefix) {
  for (const search::QueryNode& node : nodes) {
    const std::string name = prefix.empty() ? node.name : prefix + "/" + node.name;
    if (node.folder) {
      printLine(name + "/");
      printTree(node.children, name);
    } else {
      printLine(name + "\t" + search::readQuery(node.path).sql);
    }
  }
}

}  // namespace

// The saved queries under a folder, in listing order: one line
// per folder ("name/") and per query ("name", tab, statement).
int runQueries(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--folder"});
  if (!args.positional.empty() || !args.flags.empty() || args.get("--folder").empty()) {
    printError("usage: quillmoor-cli queries --folder PATH");
    return 2;
  }
  const std::string folder = args.get("--folder");
  if (!platform::folderExists(folder)) {
    printError("error: no such folder: " + folder);
    return 1;
  }
  printTree(search::readQueryTree(folder), {});
  return 0;
}

}  // namespace qm::cli

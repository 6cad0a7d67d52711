#include <cstdio>

#include "app/search/saved_queries.h"
#include "cli/cli.h"
#include "common/platform/files.h"

namespace qm::cli {
namespace {

// Files refused for their encoding are listed with an empty statement and
// gathered into `refusals`.
void printTree(const std::vector<search::QueryNode>& nodes, const std::string& prefix,
               std::vector<std::string>& refusals) {
  for (const search::QueryNode& node : nodes) {
    const std::string name = prefix.empty() ? node.name : prefix + "/" + node.name;
    if (node.folder) {
      printLine(name + "/");
      printTree(node.children, name, refusals);
      continue;
    }
    const search::SavedQuery query = search::readQuery(node.path);
    printLine(name + "\t" + query.sql);
    if (!query.refusal.empty()) refusals.push_back(query.refusal);
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
  std::vector<std::string> refusals;
  printTree(search::readQueryTree(folder), {}, refusals);
  std::fflush(stdout);
  for (const std::string& refusal : refusals) printError("error: " + refusal);
  return refusals.empty() ? 0 : 1;
}

}  // namespace qm::cli

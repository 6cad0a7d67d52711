#include "cli/set_items.h"

#include "cli/cli.h"
#include "common/db/max_disk.h"

namespace qm::cli {

bool lookUpItems(const std::string& dbPath, const std::vector<std::string>& keys,
                 std::vector<maintenance::SetItem>& items) {
  auto found = maintenance::readSetItems(dbPath, keys);
  if (found.error) {
    printError("error: " + *found.error);
    return false;
  }
  if (!found.missing.empty()) {
    printError("error: no such image: " + found.missing.front());
    return false;
  }
  items = std::move(found.items);
  return true;
}

bool rebuildSetSizes(const std::string& dbPath) {
  const auto error = db::rebuildMaxDisk(dbPath);
  if (error) printError("error: the disk counts of the sets were not rebuilt: " + *error);
  return !error;
}

}  // namespace qm::cli

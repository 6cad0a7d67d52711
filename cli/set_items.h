// The items named on the command line, read from the library as the item list
// would hand them to a set operation.
#pragma once

#include <string>
#include <vector>

#include "app/maintenance/multi_image.h"

namespace qm::cli {

// False, after a message, when the library cannot be read or a key has no row.
bool lookUpItems(const std::string& dbPath, const std::vector<std::string>& keys,
                 std::vector<maintenance::SetItem>& items);

// Rebuilds tmp_maxdisk after a command that may have added or regrouped set
// rows, so that a launch takes every disk. False, after a message, on failure.
bool rebuildSetSizes(const std::string& dbPath);

}  // namespace qm::cli

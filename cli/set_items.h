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

}  // namespace qm::cli

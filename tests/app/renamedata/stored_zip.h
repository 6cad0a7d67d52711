// A zip file of stored (uncompressed) members written by the test itself.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qm::test {

using ZipMembers = std::vector<std::pair<std::string, std::string>>;  // name, bytes

// The bytes of a zip holding `members` in order.
std::string storedZip(const ZipMembers& members);

}  // namespace qm::test

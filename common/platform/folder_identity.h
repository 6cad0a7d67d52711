// What a folder is, whatever path reached it: device and inode natively, the
// volume serial and file index on Windows. A walk that follows links and
// junctions remembers these so that a link back up the tree is not a loop.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace qm::platform {

using FolderIdentity = std::pair<std::uint64_t, std::uint64_t>;

// Nothing when the folder cannot be reached.
std::optional<FolderIdentity> folderIdentity(const std::string& path);

// The folders one walk has entered.
class VisitedFolders {
public:
  // False when the folder was entered before under any path. A folder whose
  // identity cannot be read counts as new: the walk then reports it unreadable.
  bool enter(const std::string& path) {
    const auto identity = folderIdentity(path);
    return !identity || entered_.insert(*identity).second;
  }

private:
  std::set<FolderIdentity> entered_;
};

}  // namespace qm::platform

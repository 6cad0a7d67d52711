// The images of a folder as a sync sees them: the files and archive members a
// registration of it with the same options would look at, each with its size
// and time, and whether the library has its key already. No file is read:
// members carry the CRC32 their archive states, files none yet.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/sync/sync_plan.h"
#include "crclib/registration.h"

namespace qm::sync {

struct FolderWalk {
  std::vector<FoundImage> images;      // in the order a registration walks them
  std::vector<std::string> unreadable;  // folders that could not be listed, archives that could not be read
};

// Whether the library has an image of this key, as registration decides it.
using KeyLookup = std::function<bool(const std::string& key)>;

// `extensions`: the machine's list with its closing ";", "" for every file.
FolderWalk walkFolder(const std::string& folder, const reg::RegistrationRequest& request,
                      const std::string& extensions, const KeyLookup& inLibrary);

}  // namespace qm::sync

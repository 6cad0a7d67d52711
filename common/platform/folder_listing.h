// One folder's file names and its change stamp, for callers that look up many
// names in the same folder and keep the listing between lookups.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm::platform {

// The folder's last-write time in the system's finest unit; it moves whenever
// a file is added, removed or renamed in it. Nothing when it is not a folder.
std::optional<std::int64_t> folderStamp(const std::string& folder);

// The names (program text) of the files directly in `folder`, folders left
// out, in no particular order. Nothing when the folder cannot be read.
std::optional<std::vector<std::string>> listFiles(const std::string& folder);

}  // namespace qm::platform

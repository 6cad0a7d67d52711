// Read-only files, and copies over a file: what putting back a file that a
// program keeps its settings in needs. Paths are program text.
#pragma once

#include <optional>
#include <string>

namespace qm::platform {

// True for a file marked read-only (natively: without write permission for its owner).
bool isReadOnlyFile(const std::string& path);
// Clears read-only, hidden and system (natively: gives the owner write permission).
bool makeFileNormal(const std::string& path);
// Replaces `to` with a copy of `from`, as CopyFileA without its fail-if-exists
// flag, but only as a whole (atomic_file.h): a failed copy leaves `to` as it was.
bool copyFileOver(const std::string& from, const std::string& to);
// The whole file; nothing when it cannot be read or is a folder.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace qm::platform

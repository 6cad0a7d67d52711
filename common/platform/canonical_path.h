// The name a file system itself gives an existing file or folder: links, "."
// and "..", and on Windows "/" for "\", 8.3 names, junctions and letter case
// resolved to what they are. Two texts name the same file when these agree.
// Paths are program text.
#pragma once

#include <optional>
#include <string>

namespace qm::platform {

// Nothing when the path does not exist or cannot be opened.
std::optional<std::string> canonicalPath(const std::string& path);

// True when both exist and their canonical paths agree (without regard to
// ASCII case on Windows). A path that does not exist is no existing file.
bool sameExistingFile(const std::string& a, const std::string& b);

}  // namespace qm::platform

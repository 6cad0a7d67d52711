// Write times of files, and the wall clock in the same unit (milliseconds
// since 1970), so that a launch can tell pictures written during its run
// from older ones.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qm::capture {

std::optional<std::int64_t> fileWriteTime(const std::string& path);  // nothing for a folder or no file
std::int64_t wallClockNow();

}  // namespace qm::capture

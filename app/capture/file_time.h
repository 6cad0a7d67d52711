// Write times of files, and the wall clock in the same unit (milliseconds
// since 1970), so that a launch can tell pictures written during its run
// from older ones. Also the whole-file write the PNG saving uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm::capture {

std::optional<std::int64_t> fileWriteTime(const std::string& path);  // nothing for a folder or no file
std::int64_t wallClockNow();
// Replaces the file's contents, creating it when absent.
bool writeWholeFile(const std::string& path, std::string_view bytes);

}  // namespace qm::capture

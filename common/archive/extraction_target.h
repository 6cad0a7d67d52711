// Where an extracted member goes: into the target folder under the last part
// of its name, as the launch hands images over (folder + file title + "." +
// extension). A name that would leave the folder, or could on another system,
// is refused outright rather than trimmed: it marks a crafted archive.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::archive {

// True for a ".." part, a leading "/" or "\" (absolute), or a ":" anywhere (a
// drive letter, or a Windows stream name); also for a name without a file part.
bool isUnsafeMemberName(std::string_view name);

// True when the name's last part, the file an extraction makes, is one that
// Windows takes for a device (common/platform/device_name.h).
bool namesDevice(std::string_view memberName);

// folder + separator + the name's last part; nothing for an unsafe name or
// one that names a device.
// "/" and "\" both separate parts, by character (the 0x5C in "表" does not).
std::optional<std::string> extractionTarget(std::string_view folder, std::string_view memberName);

}  // namespace qm::archive

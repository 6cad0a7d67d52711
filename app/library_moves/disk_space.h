// Capacity and free space of the drive that holds a folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qm::moves {

struct DiskSpace {
  std::uint64_t total = 0;
  std::uint64_t free = 0;  // what the current user may still write
};

// Nothing when the drive cannot be read (no disk, no such path); never asks
// the user to insert a disk.
std::optional<DiskSpace> diskSpaceOf(const std::string& folder);

}  // namespace qm::moves

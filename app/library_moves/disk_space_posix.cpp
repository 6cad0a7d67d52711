#include "app/library_moves/disk_space.h"

#include <sys/statvfs.h>

#include "common/text/encoding.h"

namespace qm::moves {

std::optional<DiskSpace> diskSpaceOf(const std::string& folder) {
  struct statvfs info {};
  if (statvfs(text::sjisToUtf8(folder).c_str(), &info) != 0) return std::nullopt;
  return DiskSpace{static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize,
                   static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize};
}

}  // namespace qm::moves

#include "app/library_moves/disk_space.h"

#include <windows.h>

namespace qm::moves {

std::optional<DiskSpace> diskSpaceOf(const std::string& folder) {
  DWORD previous = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
  ULARGE_INTEGER available{}, total{}, free{};
  const BOOL ok = GetDiskFreeSpaceExA(folder.c_str(), &available, &total, &free);
  SetThreadErrorMode(previous, nullptr);
  if (!ok) return std::nullopt;
  return DiskSpace{total.QuadPart, available.QuadPart};
}

}  // namespace qm::moves

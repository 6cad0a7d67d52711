#include <windows.h>

#include "common/platform/folder_identity.h"
#include "common/platform/win_handle_win.h"

namespace qm::platform {
std::optional<FolderIdentity> folderIdentity(const std::string& path) {
  // No access asked for and any sharing: only the identity is wanted. Backup
  // semantics open a folder, through a junction to what it points to.
  const HANDLE opened = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  const UniqueHandle handle(opened);
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle.get(), &info)) return std::nullopt;
  return FolderIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace qm::platform

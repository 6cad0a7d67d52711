#include "common/platform/folder_identity.h"
#include "common/platform/opened_path_win.h"

namespace qm::platform {

std::optional<FolderIdentity> folderIdentity(const std::string& path) {
  const OpenedPath handle = openPathForQueries(path);
  BY_HANDLE_FILE_INFORMATION info;
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return std::nullopt;
  return FolderIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace qm::platform

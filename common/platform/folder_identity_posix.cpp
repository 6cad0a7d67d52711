#include <sys/stat.h>

#include "common/platform/folder_identity.h"
#include "common/text/encoding.h"

namespace qm::platform {

std::optional<FolderIdentity> folderIdentity(const std::string& path) {
  struct stat st;
  if (::stat(text::sjisToUtf8(path).c_str(), &st) != 0) return std::nullopt;
  return FolderIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace qm::platform

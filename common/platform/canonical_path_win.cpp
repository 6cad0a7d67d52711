#include <windows.h>

#include <vector>

#include "common/platform/canonical_path.h"
#include "common/platform/win_handle_win.h"

namespace qm::platform {
namespace {

// GetFinalPathNameByHandleA answers "\\?\C:\..." or "\\?\UNC\server\share\...".
std::string withoutLongPrefix(std::string path) {
  if (path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + path.substr(8);
  if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

}  // namespace

// An opened handle names the file itself, whatever text led to it; backup
// semantics open folders too, and no access right is asked for.
std::optional<std::string> canonicalPath(const std::string& path) {
  const HANDLE raw = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
  const UniqueHandle file(raw);
  std::vector<char> name(MAX_PATH + 1);
  DWORD length = GetFinalPathNameByHandleA(file.get(), name.data(), static_cast<DWORD>(name.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= name.size()) {
    name.resize(length + 1);
    length = GetFinalPathNameByHandleA(file.get(), name.data(), static_cast<DWORD>(name.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  if (length == 0 || length >= name.size()) return std::nullopt;
  return withoutLongPrefix(std::string(name.data(), length));
}

}  // namespace qm::platform

#include <windows.h>

#include "common/platform/files.h"
#include "common/platform/folder_listing.h"
#include "common/platform/win_handle_win.h"

namespace qm::platform {

std::optional<std::int64_t> folderStamp(const std::string& folder) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::nullopt;
  return (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

std::optional<std::vector<std::string>> listFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE first = FindFirstFileA(joinPath(folder, "*").c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return std::nullopt;
  UniqueFind search(first);
  std::vector<std::string> names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileA(search.get(), &found));
  return names;
}

}  // namespace qm::platform

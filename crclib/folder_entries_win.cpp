#include <windows.h>

#include <algorithm>
#include <memory>

#include "common/platform/files.h"
#include "crclib/folder_entries.h"

namespace qm::reg {
namespace {

struct FindCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};

}  // namespace

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  // joinPath knows that "表" ends in the byte of "\".
  const std::string pattern = platform::joinPath(folder, "*.*");
  WIN32_FIND_DATAA data;
  const HANDLE first = FindFirstFileA(pattern.c_str(), &data);
  // A readable folder always lists "." at least.
  if (first == INVALID_HANDLE_VALUE) return std::nullopt;
  std::unique_ptr<void, FindCloser> find(first);
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(first, &data));
  sortByName(entries);
  return entries;
}

}  // namespace qm::reg

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "common/text/encoding.h"
#include "crclib/folder_entries.h"

namespace qm::reg {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  const std::string osFolder = text::sjisToUtf8(folder);
  std::unique_ptr<DIR, DirCloser> dir(opendir(osFolder.c_str()));
  if (!dir) return std::nullopt;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = entry->d_type == DT_DIR;
    // Links and file systems without types: ask, following links as Windows
    // follows junctions.
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat st;
      isFolder = ::stat((osFolder + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    entries.push_back({text::utf8ToSjis(name), isFolder});
  }
  sortByName(entries);
  return entries;
}

}  // namespace qm::reg

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

std::optional<FolderListing> listFolder(const std::string& folder) {
  FolderListing listing;
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
    std::string programName = text::utf8ToSjis(name);
    if (text::sjisToUtf8(programName) != name) {
      listing.unnamed.push_back(std::move(programName));
      continue;
    }
    listing.entries.push_back({std::move(programName), isFolder});
  }
  sortByName(listing.entries);
  return listing;
}

}  // namespace qm::reg

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "common/platform/folder_listing.h"
#include "common/text/encoding.h"

namespace qm::platform {

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

}  // namespace

std::optional<std::int64_t> folderStamp(const std::string& folder) {
  struct stat st;
  if (::stat(text::sjisToUtf8(folder).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

std::optional<std::vector<std::string>> listFiles(const std::string& folder) {
  const std::string osFolder = text::sjisToUtf8(folder);
  UniqueDir dir(opendir(osFolder.c_str()));
  if (!dir) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir.get())) {
    struct stat st;
    const std::string path = osFolder + "/" + entry->d_name;
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
    names.push_back(text::utf8ToSjis(entry->d_name));
  }
  return names;
}

}  // namespace qm::platform

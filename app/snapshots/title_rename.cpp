#include "app/snapshots/title_rename.h"

#include <algorithm>

#include "common/platform/files.h"
#include "common/platform/folder_listing.h"
#include "common/text/sjis.h"

namespace qm::snapshots {

namespace {

bool plainName(std::string_view name) {
  return !name.empty() && sjis::find(name, '\\') == sjis::npos && name.find('/') == std::string_view::npos;
}

bool isPictureExtension(std::string_view upper) {
  return upper == ".BMP" || upper == ".PNG" || upper == ".GIF" || upper == ".JPG";
}

void renameIn(const std::string& folder, const std::string& oldTitle, const std::string& newTitle, RenameCount& count) {
  const auto names = platform::listFiles(folder);
  if (!names) return;
  const std::string oldUpper = sjis::toUpperAscii(oldTitle);
  for (const auto& name : *names) {
    if (name.size() != oldTitle.size() + 4) continue;
    const std::string upper = sjis::toUpperAscii(name);
    if (upper.compare(0, oldUpper.size(), oldUpper) != 0 || !isPictureExtension(upper.substr(oldUpper.size())))
      continue;
    const std::string target = platform::joinPath(folder, newTitle + name.substr(oldTitle.size()));
    if (platform::moveFile(platform::joinPath(folder, name), target)) ++count.renamed;
    else ++count.refused;
  }
}

}  // namespace

RenameCount renameTitlePictures(const std::vector<std::string>& folders, const std::string& oldTitle,
                                const std::string& newTitle) {
  RenameCount count;
  if (!plainName(oldTitle) || !plainName(newTitle)) return count;
  std::vector<std::string> done;
  for (const auto& folder : folders) {
    if (folder.empty() || std::find(done.begin(), done.end(), folder) != done.end()) continue;
    done.push_back(folder);
    renameIn(folder, oldTitle, newTitle, count);
  }
  return count;
}

}  // namespace qm::snapshots

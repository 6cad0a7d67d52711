#include "common/platform/files.h"

#include "common/platform/path_separators.h"

namespace qm::platform {

namespace {

// Names the file system handed us: natively "\" is part of a name.
constexpr Separators kFileSystem = Separators::Native;

}  // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  while (!name.empty() && isSeparator(name.front(), kFileSystem)) name.remove_prefix(1);
  std::string path(folder);
  if (lastSeparator(folder, kFileSystem) != folder.size() - 1) path += kPathSeparator;
  return path.append(name);
}

std::string folderOf(std::string_view path) {
  const std::size_t sep = lastSeparator(path, kFileSystem);
  if (sep == std::string_view::npos) return {};
  return std::string(path.substr(0, sep == 0 ? 1 : sep));
}

std::string fileNameOf(std::string_view path) {
  return std::string(splitAtLastSeparator(path, kFileSystem).name);
}

}  // namespace qm::platform

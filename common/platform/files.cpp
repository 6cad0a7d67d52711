#include "common/platform/files.h"

#include "common/text/sjis.h"

namespace qm::platform {

namespace {

bool isSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// Scans by character: in "ソ" (0x83 0x5C) the 0x5C is no separator.
std::size_t lastSeparator(std::string_view path) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i = sjis::nextChar(path, i)) {
    if (isSeparator(path[i])) found = i;
  }
  return found;
}

}  // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  while (!name.empty() && isSeparator(name.front())) name.remove_prefix(1);
  std::string path(folder);
  if (lastSeparator(folder) != folder.size() - 1) path += kPathSeparator;
  return path.append(name);
}

std::string folderOf(std::string_view path) {
  const std::size_t sep = lastSeparator(path);
  if (sep == std::string_view::npos) return {};
  return std::string(path.substr(0, sep == 0 ? 1 : sep));
}

std::string fileNameOf(std::string_view path) {
  const std::size_t sep = lastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

}  // namespace qm::platform

#include "common/platform/path_separators.h"

#include "common/text/sjis.h"

namespace qm::platform {

bool isSeparator(char c, Separators which) {
#ifndef _WIN32
  if (which == Separators::Native) return c == '/';
#else
  (void)which;
#endif
  return c == '\\' || c == '/';
}

std::size_t lastSeparator(std::string_view path, Separators which) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i = sjis::nextChar(path, i))
    if (isSeparator(path[i], which)) found = i;
  return found;
}

std::size_t nextSeparator(std::string_view path, std::size_t from, Separators which) {
  for (std::size_t i = from; i < path.size(); i = sjis::nextChar(path, i))
    if (isSeparator(path[i], which)) return i;
  return path.size();
}

PathSplit splitAtLastSeparator(std::string_view path, Separators which) {
  const std::size_t sep = lastSeparator(path, which);
  if (sep == std::string_view::npos) return {{}, path};
  return {path.substr(0, sep), path.substr(sep + 1)};
}

bool isAbsolutePath(std::string_view path) {
  return (path.size() > 1 && path[1] == ':') || (!path.empty() && isSeparator(path[0]));
}

}  // namespace qm::platform

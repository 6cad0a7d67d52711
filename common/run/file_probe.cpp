#include "common/run/file_probe.h"

#include "common/platform/files.h"
#include "common/platform/path_separators.h"

namespace qm::maintenance {
namespace {

using platform::isSeparator;
using platform::nextSeparator;

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "\\server\share\": the separator after the share's name, or the end.
std::string networkRoot(std::string_view path) {
  const std::size_t serverEnd = nextSeparator(path, 2);
  if (serverEnd >= path.size()) return std::string(path);
  const std::size_t shareEnd = nextSeparator(path, serverEnd + 1);
  if (shareEnd >= path.size()) return std::string(path) + '\\';
  return std::string(path.substr(0, shareEnd + 1));
}

}  // namespace

bool SystemFileProbe::reachable(const std::string& root) { return root.empty() || platform::folderExists(root); }

std::string volumeRoot(std::string_view path) {
  if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':') return std::string(path.substr(0, 2)) + '\\';
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) return networkRoot(path);
  if (!path.empty() && isSeparator(path[0])) return std::string(1, path[0]);
  return {};
}

}  // namespace qm::maintenance

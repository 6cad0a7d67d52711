// How the removal run looks at the file system, behind an interface so that a
// missing drive, a refused file or a share that drops can be played in tests.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace qm::maintenance {

enum class PathState {
  Present,
  Missing,     // the system says the file, or a folder of its path, does not exist
  Unreadable,  // any other failure: access denied, a network error, ...
};

struct PathLook {
  PathState state = PathState::Present;
  std::string reason;  // unreadable: the system's text (program text)
};

class FileProbe {
public:
  virtual ~FileProbe() = default;
  // What the system says about a file or folder at `path`.
  virtual PathLook look(const std::string& path) = 0;
  // The volume whose root this is can be reached at all (volumeRoot below).
  virtual bool reachable(const std::string& root) = 0;
  virtual std::chrono::steady_clock::time_point now() { return std::chrono::steady_clock::now(); }
};

// The platform's own file system: missing means ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND on Windows, ENOENT or ENOTDIR natively. A root of ""
// (a relative path) counts as reachable.
class SystemFileProbe : public FileProbe {
public:
  PathLook look(const std::string& path) override;
  bool reachable(const std::string& root) override;
};

// The root of the volume that holds `path`: "C:\" for a drive path (also
// "C:" alone or "C:x"), "\\server\share\" for a network path, the separator
// itself for a path from the root of the current volume, "" for a relative
// path. Separators are "\" and "/", found by whole characters.
std::string volumeRoot(std::string_view path);

}  // namespace qm::maintenance

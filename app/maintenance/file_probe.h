// How the removal run looks at the file system, behind an interface so that a
// missing drive can be played in tests.
#pragma once

#include <string>
#include <string_view>

namespace qm::maintenance {

class FileProbe {
public:
  virtual ~FileProbe() = default;
  // A file or folder is at `path`.
  virtual bool exists(const std::string& path) = 0;
  // The volume whose root this is can be reached at all (volumeRoot below).
  virtual bool reachable(const std::string& root) = 0;
};

// The platform's own file system. A root of "" (a relative path) counts as
// reachable.
class SystemFileProbe : public FileProbe {
public:
  bool exists(const std::string& path) override;
  bool reachable(const std::string& root) override;
};

// The root of the volume that holds `path`: "C:\" for a drive path (also
// "C:" alone or "C:x"), "\\server\share\" for a network path, the separator
// itself for a path from the root of the current volume, "" for a relative
// path. Separators are "\" and "/", found by whole characters.
std::string volumeRoot(std::string_view path);

}  // namespace qm::maintenance

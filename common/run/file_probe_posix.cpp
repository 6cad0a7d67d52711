#include <sys/stat.h>

#include <cerrno>

#include "common/platform/system_message.h"
#include "common/run/file_probe.h"
#include "common/text/encoding.h"

namespace qm::maintenance {

PathLook SystemFileProbe::look(const std::string& path) {
  struct stat status;
  if (::stat(text::sjisToUtf8(path).c_str(), &status) == 0) return {};
  const int code = errno;
  if (code == ENOENT || code == ENOTDIR) return {PathState::Missing, {}};
  return {PathState::Unreadable, platform::systemMessage(static_cast<unsigned long>(code))};
}

}  // namespace qm::maintenance

#include <windows.h>

#include "common/platform/system_message.h"
#include "common/run/file_probe.h"

namespace qm::maintenance {

PathLook SystemFileProbe::look(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return {};
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return {PathState::Missing, {}};
  std::string reason = platform::systemMessage(code);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
  return {PathState::Unreadable, reason};
}

}  // namespace qm::maintenance

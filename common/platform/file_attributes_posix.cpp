#include <sys/stat.h>

#include "common/platform/atomic_file.h"
#include "common/platform/file_attributes.h"
#include "common/platform/native_file.h"
#include "common/text/encoding.h"

namespace qm::platform {
namespace {

std::optional<mode_t> modeOf(const std::string& path) {
  struct stat info;
  if (::stat(text::sjisToUtf8(path).c_str(), &info) != 0) return std::nullopt;
  return info.st_mode;
}

}  // namespace

bool isReadOnlyFile(const std::string& path) {
  const auto mode = modeOf(path);
  return mode && S_ISREG(*mode) && (*mode & S_IWUSR) == 0;
}

bool makeFileNormal(const std::string& path) {
  const auto mode = modeOf(path);
  return mode && ::chmod(text::sjisToUtf8(path).c_str(), *mode | S_IWUSR) == 0;
}

bool copyFileOver(const std::string& from, const std::string& to) {
  return copyFileAtomically(from, to, Overwrite::Allowed) == CopyResult::Copied;
}

std::optional<std::string> readWholeFile(const std::string& path) {
  const auto mode = modeOf(path);
  if (!mode || !S_ISREG(*mode)) return std::nullopt;
  return native::readFileOrEmpty(path);
}

}  // namespace qm::platform

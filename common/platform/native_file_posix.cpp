#include "common/platform/native_file.h"

#include <cerrno>

#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::platform::native {

UniqueFile openFile(const std::string& path, const char* mode) {
  return UniqueFile(std::fopen(text::sjisToUtf8(path).c_str(), mode));
}

namespace {

// Only a missing file in an existing folder counts as empty: Windows fails a
// profile write under a missing folder.
bool absentInExistingFolder(const std::string& path) {
  if (errno != ENOENT) return false;
  const std::string folder = folderOf(path);
  return folder.empty() || folderExists(folder);
}

}  // namespace

std::optional<std::string> readFileOrEmpty(const std::string& path) {
  UniqueFile file = openFile(path, "rb");
  if (!file) return absentInExistingFolder(path) ? std::optional<std::string>("") : std::nullopt;
  std::string bytes;
  char chunk[8192];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, n);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace qm::platform::native

#include <sys/types.h>

#include "common/archive/stdio_file.h"
#include "common/platform/native_file.h"

namespace qm::archive {

StdioFile openStdioFile(const std::string& path, const char* mode) {
  return StdioFile(platform::native::openFile(path, mode).release());
}

bool seekStdioFile(std::FILE* file, std::uint64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool stdioFileSize(std::FILE* file, std::uint64_t& size) {
  if (fseeko(file, 0, SEEK_END) != 0) return false;
  const off_t end = ftello(file);
  if (end < 0) return false;
  size = static_cast<std::uint64_t>(end);
  return true;
}

}  // namespace qm::archive

#include "common/archive/stdio_file.h"

namespace qm::archive {

// The C runtime takes narrow paths in the ANSI code page, which is program text.
StdioFile openStdioFile(const std::string& path, const char* mode) {
  return StdioFile(std::fopen(path.c_str(), mode));
}

bool seekStdioFile(std::FILE* file, std::uint64_t offset) {
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

bool stdioFileSize(std::FILE* file, std::uint64_t& size) {
  if (_fseeki64(file, 0, SEEK_END) != 0) return false;
  const __int64 end = _ftelli64(file);
  if (end < 0) return false;
  size = static_cast<std::uint64_t>(end);
  return true;
}

}  // namespace qm::archive

// C files opened by program-text path, with 64-bit positions on both
// platforms (long is 32 bits on Windows).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace qm::archive {

struct StdioCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using StdioFile = std::unique_ptr<std::FILE, StdioCloser>;

StdioFile openStdioFile(const std::string& path, const char* mode);
bool seekStdioFile(std::FILE* file, std::uint64_t offset);
// The size by seeking to the end; nothing when that fails.
bool stdioFileSize(std::FILE* file, std::uint64_t& size);

}  // namespace qm::archive

#include "tests/common/platform/raw_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "common/text/encoding.h"

namespace qm::test {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The C runtime takes ANSI paths on Windows and the file system's UTF-8 natively.
std::unique_ptr<std::FILE, FileCloser> open(const std::string& path, const char* mode) {
#ifdef _WIN32
  return {std::fopen(path.c_str(), mode), {}};
#else
  return {std::fopen(text::sjisToUtf8(path).c_str(), mode), {}};
#endif
}

}  // namespace

void writeBytes(const std::string& path, std::string_view bytes) {
  auto file = open(path, "wb");
  ASSERT_TRUE(file) << path;
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file.get()), bytes.size());
}

std::optional<std::string> readBytes(const std::string& path) {
  auto file = open(path, "rb");
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, n);
  return bytes;
}

}  // namespace qm::test

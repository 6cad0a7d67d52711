#include "tests/support/file_bytes.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/text/encoding.h"

namespace qm::test {
namespace {

namespace fs = std::filesystem;

// Windows takes program text as ANSI paths; natively the file system is UTF-8.
#ifdef _WIN32
std::string systemPath(const std::string& path) { return path; }
#else
std::string systemPath(const std::string& path) { return text::sjisToUtf8(path); }
#endif

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::optional<std::string> readFile(const std::string& path) {
  File file(std::fopen(systemPath(path).c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, n);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  File file(std::fopen(systemPath(path).c_str(), "wb"));
  if (!file) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

::testing::AssertionResult sameBytes(const std::optional<std::string>& actual,
                                     const std::optional<std::string>& expected) {
  if (!actual || !expected)
    return ::testing::AssertionFailure() << (actual ? "" : "actual file unreadable ")
                                         << (expected ? "" : "expected file unreadable");
  if (*actual == *expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual->size() && at < expected->size() && (*actual)[at] == (*expected)[at]) ++at;
  return ::testing::AssertionFailure() << "contents differ: " << actual->size() << " bytes against " << expected->size()
                                       << ", first difference at offset " << at;
}

std::vector<std::string> listFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(systemPath(folder)), error)) {
    // mingw's libstdc++ gives narrow names in UTF-8 too, not in the ANSI code page.
    const std::u8string name = entry.path().filename().u8string();
    names.push_back(text::utf8ToSjis(std::string(name.begin(), name.end())));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qm::test

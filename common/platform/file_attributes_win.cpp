#include <windows.h>

#include <cstdio>
#include <memory>

#include "common/platform/atomic_file.h"
#include "common/platform/file_attributes.h"

namespace qm::platform {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool isReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (attributes & FILE_ATTRIBUTE_READONLY);
}

bool makeFileNormal(const std::string& path) { return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) != 0; }

bool copyFileOver(const std::string& from, const std::string& to) {
  return copyFileAtomically(from, to, Overwrite::Allowed) == CopyResult::Copied;
}

std::optional<std::string> readWholeFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[8192];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, n);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace qm::platform

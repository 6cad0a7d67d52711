// Whole-file reads on the native side (writes go through atomic_file.h). Paths are program text and
// are converted to the file system's UTF-8 here.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qm::platform::native {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

UniqueFile openFile(const std::string& path, const char* mode);

// The whole file; an absent file in an existing folder reads as empty, any
// other failure (a folder, a missing folder, a read error) gives nothing, so
// that a writer never mistakes an unreadable file for an empty one and
// overwrites it.
std::optional<std::string> readFileOrEmpty(const std::string& path);

}  // namespace qm::platform::native

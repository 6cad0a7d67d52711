#include "tests/support/temp_folder.h"

#include <atomic>
#include <filesystem>
#include <random>

#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device random;
  fs::path base = fs::temp_directory_path();
  for (;;) {
    fs::path candidate = base / ("qm-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
#ifdef _WIN32
      // Windows paths come back in the ANSI code page, our program text.
      path_ = candidate.string();
#else
      path_ = text::utf8ToSjis(candidate.string());
#endif
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code error;
#ifdef _WIN32
  fs::remove_all(fs::path(path_), error);
#else
  fs::remove_all(fs::path(text::sjisToUtf8(path_)), error);
#endif
}

std::string TempFolder::file(const std::string& name) const { return platform::joinPath(path_, name); }

}  // namespace qm::test

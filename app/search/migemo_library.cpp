#include "app/search/migemo_library.h"

#include "common/platform/files.h"

namespace qm::search {

MigemoLibrary::~MigemoLibrary() { close(); }

bool MigemoLibrary::open(const std::string& libraryPath, const std::string& dictionaryPath) {
  close();
  library_ = platform::SharedLibrary(libraryPath);
  if (!library_.loaded()) {
    error_ = library_.error();
    return false;
  }
  const auto openEntry = library_.function<Open>("migemo_open");
  close_ = library_.function<Close>("migemo_close");
  query_ = library_.function<Query>("migemo_query");
  release_ = library_.function<Release>("migemo_release");
  isEnable_ = library_.function<IsEnable>("migemo_is_enable");
  if (!openEntry || !close_ || !query_ || !release_ || !isEnable_) {
    error_ = "an entry point of the Migemo library is missing";
    library_ = platform::SharedLibrary();
    return false;
  }
  // The library reads a missing dictionary as empty; it then reports itself not enabled.
  handle_ = openEntry(platform::fileExists(dictionaryPath) ? dictionaryPath.c_str() : nullptr);
  if (!handle_) error_ = "migemo_open failed";
  return handle_ != nullptr;
}

void MigemoLibrary::close() {
  if (handle_ && close_) close_(handle_);
  handle_ = nullptr;
}

bool MigemoLibrary::enabled() const { return handle_ && isEnable_(handle_) != 0; }

std::optional<std::string> MigemoLibrary::query(std::string_view text) {
  if (!enabled()) return std::nullopt;
  const std::string input(text);
  unsigned char* pattern = query_(handle_, reinterpret_cast<const unsigned char*>(input.c_str()));
  if (!pattern) return std::nullopt;
  std::string copy(reinterpret_cast<const char*>(pattern));
  release_(handle_, pattern);
  return copy;
}

std::string migemoLibraryPath(const std::string& programFolder) {
#ifdef _WIN32
  return platform::joinPath(programFolder, "migemo.dll");
#else
  (void)programFolder;
  return "libmigemo.so.1";
#endif
}

std::string migemoDictionaryPath(const std::string& programFolder) {
  return platform::joinPath(platform::joinPath(programFolder, "dict"), "migemo-dict");
}

}  // namespace qm::search

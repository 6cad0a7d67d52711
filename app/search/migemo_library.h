// The Migemo library, loaded by path: migemo.dll from the program folder on
// Windows, Debian's libmigemo natively, with the dictionary "dict/migemo-dict"
// beside the program (code page 932, like program text). Without the library
// or its dictionary nothing is enabled and every search stays plain text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/search/migemo_pattern.h"
#include "common/platform/shared_library.h"

// The library's calling convention (stdcall in its 32-bit builds).
#if defined(_WIN32) && !defined(_WIN64)
#define MIGEMO_API __stdcall
#else
#define MIGEMO_API
#endif

namespace qm::search {

class MigemoLibrary : public MigemoSource {
public:
  MigemoLibrary() = default;
  ~MigemoLibrary() override;
  MigemoLibrary(const MigemoLibrary&) = delete;
  MigemoLibrary& operator=(const MigemoLibrary&) = delete;

  // Program text paths. False (with error()) when the library or one of the
  // five entry points is missing; a missing dictionary loads but is not enabled.
  bool open(const std::string& libraryPath, const std::string& dictionaryPath);
  void close();
  bool loaded() const { return handle_ != nullptr; }
  bool enabled() const override;
  std::optional<std::string> query(std::string_view text) override;
  const std::string& error() const { return error_; }

private:
  using Open = void*(MIGEMO_API*)(const char*);
  using Close = void(MIGEMO_API*)(void*);
  using Query = unsigned char*(MIGEMO_API*)(void*, const unsigned char*);
  using Release = void(MIGEMO_API*)(void*, unsigned char*);
  using IsEnable = int(MIGEMO_API*)(void*);

  platform::SharedLibrary library_;
  void* handle_ = nullptr;
  Close close_ = nullptr;
  Query query_ = nullptr;
  Release release_ = nullptr;
  IsEnable isEnable_ = nullptr;
  std::string error_;
};

// The library's file for this platform: "migemo.dll" in `programFolder` on
// Windows, Debian's "libmigemo.so.1" natively.
std::string migemoLibraryPath(const std::string& programFolder);
// "dict/migemo-dict" in `programFolder`.
std::string migemoDictionaryPath(const std::string& programFolder);

}  // namespace qm::search

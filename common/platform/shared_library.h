// A shared library loaded by path and released when the object goes away.
#pragma once

#include <memory>
#include <string>

namespace qm::platform {

class SharedLibrary {
public:
  SharedLibrary() = default;
  // Loads the library at `path` (program text). Check loaded() afterwards.
  explicit SharedLibrary(const std::string& path);
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;
  SharedLibrary(SharedLibrary&& other) noexcept;
  SharedLibrary& operator=(SharedLibrary&& other) noexcept;

  bool loaded() const { return handle_ != nullptr; }
  // The system's reason when loading failed: dlerror's text natively,
  // FormatMessageA's with the error code on Windows.
  const std::string& error() const { return error_; }
  void* symbol(const char* name) const;

  template <typename F>
  F function(const char* name) const { return reinterpret_cast<F>(symbol(name)); }

private:
  void* handle_ = nullptr;
  std::string error_;
};

// "Quillmoor2_Lib" -> "Quillmoor2_Lib.dll" on Windows, "libQuillmoor2_Lib.so" natively.
std::string sharedLibraryFileName(const std::string& baseName);

}  // namespace qm::platform

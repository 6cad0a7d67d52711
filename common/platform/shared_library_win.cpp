#include <windows.h>

#include <memory>
#include <utility>

#include "common/platform/shared_library.h"
#include "common/platform/system_message.h"

namespace qm::platform {

namespace {

HMODULE module(void* handle) { return static_cast<HMODULE>(handle); }

// The system's text for the code without the line break it ends with.
std::string describe(DWORD code) {
  std::string text = systemMessage(code);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  return text + (text.empty() ? "" : " ") + "(error " + std::to_string(code) + ")";
}

// A library that fails to load must become an error text, never a system
// dialog in front of the user.
class QuietErrors {
public:
  QuietErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
  ~QuietErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

private:
  DWORD previous_ = 0;
};

// The error code is taken before the mode is restored, which may reset it.
HMODULE load(const std::string& path, DWORD& error) {
  const QuietErrors quiet;
  const HMODULE module = LoadLibraryA(path.c_str());
  error = module ? 0 : GetLastError();
  return module;
}

}  // namespace

SharedLibrary::SharedLibrary(const std::string& path) {
  DWORD code = 0;
  handle_ = load(path, code);
  if (!handle_) error_ = describe(code);
}

SharedLibrary::~SharedLibrary() {
  if (handle_) FreeLibrary(module(handle_));
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  if (this != &other) {
    if (handle_) FreeLibrary(module(handle_));
    handle_ = std::exchange(other.handle_, nullptr);
    error_ = std::move(other.error_);
  }
  return *this;
}

void* SharedLibrary::symbol(const char* name) const {
  return handle_ ? reinterpret_cast<void*>(GetProcAddress(module(handle_), name)) : nullptr;
}

std::string sharedLibraryFileName(const std::string& baseName) { return baseName + ".dll"; }

}  // namespace qm::platform

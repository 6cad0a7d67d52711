#include <windows.h>

#include <memory>
#include <utility>

#include "common/platform/shared_library.h"

namespace qm::platform {

namespace {

HMODULE module(void* handle) { return static_cast<HMODULE>(handle); }

struct LocalFreer {
  void operator()(char* text) const { LocalFree(text); }
};

// The system's text for the code, in the ANSI code page, without the line
// break FormatMessageA ends it with.
std::string describe(DWORD code) {
  char* raw = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                      FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length = FormatMessageA(flags, nullptr, code, 0, reinterpret_cast<char*>(&raw), 0, nullptr);
  const std::unique_ptr<char, LocalFreer> owned(raw);
  std::string text(raw ? raw : "", raw ? length : 0);
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

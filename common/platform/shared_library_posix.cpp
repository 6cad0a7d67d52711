#include <dlfcn.h>

#include <utility>

#include "common/platform/shared_library.h"
#include "common/text/encoding.h"

namespace qm::platform {

SharedLibrary::SharedLibrary(const std::string& path)
    : handle_(dlopen(text::sjisToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL)) {
  if (!handle_) {
    const char* reason = dlerror();
    error_ = reason ? reason : "dlopen failed";
  }
}

SharedLibrary::~SharedLibrary() {
  if (handle_) dlclose(handle_);
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  if (this != &other) {
    if (handle_) dlclose(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
    error_ = std::move(other.error_);
  }
  return *this;
}

void* SharedLibrary::symbol(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}

std::string sharedLibraryFileName(const std::string& baseName) {
  return "lib" + baseName + ".so";
}

}  // namespace qm::platform

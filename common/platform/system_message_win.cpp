#include <windows.h>

#include <memory>

#include "common/platform/system_message.h"

namespace qm::platform {
namespace {

struct LocalFreer {
  void operator()(char* text) const { LocalFree(text); }
};

std::string messageIn(DWORD code, DWORD language) {
  char* raw = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length = FormatMessageA(flags, nullptr, code, language, reinterpret_cast<char*>(&raw), 0, nullptr);
  const std::unique_ptr<char, LocalFreer> owned(raw);
  return raw ? std::string(raw, length) : std::string();
}

}  // namespace

std::string systemMessage(unsigned long code) {
  std::string text = messageIn(code, LANG_USER_DEFAULT);
  return text.empty() ? messageIn(code, 0) : text;
}

}  // namespace qm::platform

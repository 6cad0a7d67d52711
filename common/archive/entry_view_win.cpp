#include <windows.h>

#include <archive_entry.h>

#include <climits>
#include <cwchar>

#include "common/archive/entry_view.h"

namespace qm::archive {

CharsetScope::CharsetScope() {}
CharsetScope::~CharsetScope() {}

// The UTF-16 form is filled straight from the archive's own charset; the
// narrow form would go through the C runtime's locale. The rar 5 reader sets
// UTF-8 only, which libarchive turns into UTF-16 through that locale again.
std::optional<std::string> entryPathUtf8(archive_entry* entry) {
  const wchar_t* path = archive_entry_pathname_w(entry);
  if (!path) {
    const char* utf8 = archive_entry_pathname_utf8(entry);
    return utf8 ? std::optional<std::string>(utf8) : std::nullopt;
  }
  const std::size_t length = std::wcslen(path);
  if (length == 0 || length > INT_MAX / 4) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

}  // namespace qm::archive

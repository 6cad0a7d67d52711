#include <archive_entry.h>
#include <locale.h>

#include "common/archive/entry_view.h"

namespace qm::archive {

namespace {

// One for the process, never freed: locale objects are read-only once made,
// and making and freeing one per operation only churns glibc's caches.
locale_t utf8Locale() {
  static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return utf8;
}

}  // namespace

CharsetScope::CharsetScope() {
  const locale_t utf8 = utf8Locale();
  if (utf8) previous_ = uselocale(utf8);
}

CharsetScope::~CharsetScope() {
  if (previous_) uselocale(static_cast<locale_t>(previous_));
}

std::optional<std::string> entryPathUtf8(archive_entry* entry) {
  const char* path = archive_entry_pathname(entry);
  if (!path) return std::nullopt;
  return std::string(path);
}

}  // namespace qm::archive

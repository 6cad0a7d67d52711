// A libarchive entry's path as UTF-8, and the charset libarchive converts
// names into. Natively libarchive converts to the C library's locale, which a
// program may never have set (it is then ASCII and every Japanese name is
// lost); on Windows it keeps names as UTF-16.
#pragma once

#include <optional>
#include <string>

struct archive_entry;

namespace qm::archive {

// Natively: the calling thread runs in the "C" locale with UTF-8 characters
// while it lives, whatever the program set; other threads are left alone. It
// must be made before the archive object, which takes the charset when it is
// created. On Windows it does nothing.
class CharsetScope {
public:
  CharsetScope();
  ~CharsetScope();
  CharsetScope(const CharsetScope&) = delete;
  CharsetScope& operator=(const CharsetScope&) = delete;

private:
  void* previous_ = nullptr;
};

// Nothing when libarchive could not convert the name.
std::optional<std::string> entryPathUtf8(archive_entry* entry);

}  // namespace qm::archive

// Reading and editing a loaded INI document by Wine's rules. Kept apart from
// the file I/O so the native IniFile is only load, apply, save.
#pragma once

#include "common/platform/ini_document.h"

namespace qm::platform::ini {

// The value with one pair of matching quotes (" or ') removed; nothing when the
// key is absent or its line has no "=".
std::optional<std::string> value(const Document& doc, std::string_view section,
                                 std::string_view key);

// Keys with a value whose names do not start with ";", in file order.
std::vector<std::string> keyNames(const Document& doc, std::string_view section);
// Named sections in file order, repeats included.
std::vector<std::string> sectionNames(const Document& doc);

// Each returns whether the document changed. Wine leaves the file untouched when
// nothing changed, blank lines and all, so the caller must not save then.
bool setValue(Document& doc, std::string_view section, std::string_view key,
              std::string_view value);
bool removeEntry(Document& doc, std::string_view section, std::string_view key);
bool removeSection(Document& doc, std::string_view section);

// As RtlUnicodeStringToInteger with base 0, which GetPrivateProfileIntA uses:
// leading blanks, one sign, a "0x"/"0o"/"0b" prefix (lower case only), the
// longest run of digits, wrapping modulo 2^32.
int toProfileInt(std::string_view text);

}  // namespace qm::platform::ini

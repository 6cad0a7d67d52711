// Member names as program text, whatever the archive stores: CP932 or UTF-8
// bytes (zip, rar 4), UTF-16 (7z, rar 4 Unicode names), UTF-8 (rar 5).
//
// Names stored as bare bytes carry no charset. Bytes that read as UTF-8 and hold
// at least one sequence of three or more bytes (kana, kanji) are taken as UTF-8
// (zip and rar tools on Linux and macOS write names that way without saying
// so); anything else is CP932, kept byte for byte. CP932 text seldom reads as
// such UTF-8: its lead bytes 0x81-0x9F cannot start a UTF-8 sequence, and
// half-width katakana pairs, which can form two-byte sequences, never form
// longer ones.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/archive/zip_directory.h"

namespace qm::archive::names {

bool isValidUtf8(std::string_view s);

// Bare bytes as described above.
std::string fromBareBytes(std::string_view raw);

// A name libarchive read as ISO-8859-1 (we ask it to, so that bare bytes come
// through unchanged on every platform) and handed over as UTF-8. A code point
// above U+00FF means the archive stored Unicode after all (a rar 4 Unicode
// name). libarchive turns "\" into "/" in rar 4 names before any charset
// applies, which breaks CP932 characters whose second byte is 0x5C ("表" is
// 0x95 0x5C); those are put back, since "/" is never a second byte.
std::string fromLatin1View(std::string_view utf8);

// A zip member's name from its directory entry.
std::string fromZipEntry(const ZipDirectoryEntry& entry);

// What libarchive hands over for a zip entry: the UTF-8 name of a flagged
// entry, else the bare bytes as ISO-8859-1; with "\" read as "/" on both sides,
// since libarchive turns one into the other for some archives.
std::string zipViewKey(std::string_view rawName, bool utf8Flag);
std::string viewKey(std::string_view utf8View);

// Bytes 0x00-0xFF back from their ISO-8859-1 reading; nothing when a code
// point is above U+00FF or the text is not UTF-8.
std::optional<std::string> latin1Bytes(std::string_view utf8);
std::string latin1ToUtf8(std::string_view bytes);

// Cut to the member record's size on a character boundary.
std::string fitted(std::string name);

}  // namespace qm::archive::names

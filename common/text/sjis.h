// Shift-JIS (code page 932) text as bytes in std::string.
//
// Every byte-level scan of program text goes through these helpers, so that an
// ASCII byte that is really the trail byte of a double-byte character ("ー" is
// 0x81 0x5B, "ソ" is 0x83 0x5C, "表" is 0x95 0x5C) is never taken for "[" or "\".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm::sjis {

inline constexpr std::size_t npos = std::string_view::npos;

// First byte of a double-byte character: 0x81-0x9F or 0xE0-0xFC.
bool isLeadByte(unsigned char c);

// Byte length of the character starting at pos: 2 for a lead byte followed by a
// trail byte (0x40-0x7E, 0x80-0xFC), else 1. A lead byte at the very end counts
// as one byte. (Conversion pairs a lead byte with any byte but NUL, as Windows
// does; both only differ on text that is broken anyway.)
std::size_t charLength(std::string_view s, std::size_t pos);

// Position of the character after the one at pos.
inline std::size_t nextChar(std::string_view s, std::size_t pos) { return pos + charLength(s, pos); }

// True when pos is the start of a character (not a trail byte).
bool isCharBoundary(std::string_view s, std::size_t pos);

// Searches that only match at character starts. `from` must be a character start.
std::size_t find(std::string_view s, char c, std::size_t from = 0);
std::size_t find(std::string_view s, std::string_view needle, std::size_t from = 0);
std::size_t findLast(std::string_view s, char c);

// Replaces every character-aligned occurrence of `from` with `to`, left to right.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

// ASCII-only case folding: double-byte characters, including their trail bytes
// in the letter range, are left alone.
std::string toUpperAscii(std::string_view s);
std::string toLowerAscii(std::string_view s);
bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b);

// The longest prefix of s of at most maxBytes bytes that ends on a character
// boundary.
std::string_view cutToBytes(std::string_view s, std::size_t maxBytes);

}  // namespace qm::sjis

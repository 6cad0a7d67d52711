// UTF-8 read and written the way Windows' CP_UTF8 conversion does it, so the
// native build can stand in for MultiByteToWideChar / WideCharToMultiByte.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm::text::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// Reads the code point at pos and moves pos past it. Malformed input gives
// kReplacement; a sequence cut off by the end of input is one replacement that
// takes the rest of the input with it, as Windows (Wine) does.
char32_t next(std::string_view s, std::size_t& pos);

// Writes the 1 to 4 bytes of cp at out and returns the end of them.
char* encode(char32_t cp, char* out);

}  // namespace qm::text::utf8

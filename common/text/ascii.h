// Pure-ASCII text reads the same in Shift-JIS and UTF-8, so conversion can
// hand back a copy without decoding anything.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace qm::text {

inline bool isAscii(std::string_view s) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    if (word & kHighBits) return false;
  }
  for (; i < s.size(); ++i) {
    if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
  }
  return true;
}

}  // namespace qm::text

// Code page 932 as lookup tables, built once from iconv and corrected to what
// Windows gives, so that converting needs neither iconv nor a lock per call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qm::text::cp932 {

// Windows' stand-ins: an undefined code reads as "・", and a character the code
// page cannot hold is written as "?".
inline constexpr char16_t kDefaultUnit = 0x30FB;
inline constexpr std::uint16_t kDefaultCode = '?';

struct Table {
  // Indexed by byte; a lead byte here is one with nothing after it.
  std::array<char16_t, 256> single{};
  // Indexed by leadIndex(lead) * 256 + second byte.
  std::array<char16_t, 60 * 256> pair{};
  // Indexed by UTF-16 unit; codes above 0xFF are lead << 8 | trail.
  std::array<std::uint16_t, 0x10000> encode{};

  static std::size_t leadIndex(unsigned char lead) { return lead < 0xE0 ? lead - 0x81 : lead - 0xE0 + 31; }
  char16_t decode(unsigned char lead, unsigned char second) const { return pair[leadIndex(lead) * 256 + second]; }
};

// Built on first use; safe to call from any thread.
const Table& table();

}  // namespace qm::text::cp932

// The data text of a "REG-REWRITE" line turned into the bytes of the value's
// type, and stored bytes shown as text again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/rewrite/registry.h"

namespace qm::rewrite {

// The types a script may rewrite: the string, binary, DWORD and QWORD kinds.
bool isRewritableType(std::uint32_t type);
// "REG_SZ", "REG_DWORD", ...; "type N" for others.
std::string registryTypeName(std::uint32_t type);

// A number as a script writes it: blanks around, an optional sign, decimal
// digits with an optional fraction (rounded down: -1.5 is -2) or "0x" and
// hexadecimal digits. The result is its two's complement in `bits` bits;
// nothing for anything else or a number the bits cannot hold (from
// -2^(bits-1) up to 2^bits - 1, so a DWORD takes 4294967295 and -1 alike).
std::optional<std::uint64_t> parseRegistryNumber(std::string_view text, int bits);

// The bytes to store, or nothing when the text does not fit the type:
//   REG_SZ, REG_EXPAND_SZ  the text and a terminating zero
//   REG_MULTI_SZ           the first character separates the strings of the
//                          rest; each string ends in a zero, the list in one more
//   REG_BINARY             pairs of hexadecimal digits, blanks ignored, an odd
//                          last digit dropped
//   REG_DWORD              32 bits, least significant byte first
//   REG_DWORD_BIG_ENDIAN   32 bits, most significant byte first
//   REG_QWORD              64 bits, least significant byte first
std::optional<std::string> registryDataBytes(std::uint32_t type, std::string_view text, const Registry& registry);

// Stored data as a script would write them: text, numbers in decimal, binary
// as blank-separated hexadecimal pairs, a string list with "|" before each.
std::string registryDataText(const RegistryValue& value, const Registry& registry);

}  // namespace qm::rewrite

// Numbers as archive headers store them: little-endian, at any alignment.
#pragma once

#include <cstdint>

namespace qm::archive {

inline std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t le32(const std::uint8_t* p) { return le16(p) | static_cast<std::uint32_t>(le16(p + 2)) << 16; }
inline std::uint64_t le64(const std::uint8_t* p) { return le32(p) | static_cast<std::uint64_t>(le32(p + 4)) << 32; }

}  // namespace qm::archive

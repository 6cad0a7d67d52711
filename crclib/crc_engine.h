// The ways of computing the two CRCs. All give the same registers; they differ
// only in speed. The byte-wise engine is the reference the others are tested
// against.
//
// A register is the CRC state between calls: for the CRC-32 before its final
// XOR, for the CRC-16 the value itself (it has no final XOR).
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm::crc {

inline constexpr std::uint32_t kCrc32Start = 0xFFFFFFFF;
inline constexpr std::uint32_t kCrc32FinalXor = 0xFFFFFFFF;
inline constexpr std::uint16_t kCrc16Start = 0xFFFF;

struct Engine {
  const char* name;
  std::uint32_t (*crc32)(std::uint32_t reg, const unsigned char* data, std::size_t size);
  std::uint16_t (*crc16)(std::uint16_t reg, const unsigned char* data, std::size_t size);
};

const Engine& bytewiseEngine();  // one table step per byte
const Engine& slicingEngine();   // sixteen bytes per step through sixteen tables
// Carry-less multiplication (PCLMULQDQ); null where the processor lacks it.
const Engine* foldingEngine();
// The fastest engine this processor runs, chosen once.
const Engine& fastestEngine();

}  // namespace qm::crc

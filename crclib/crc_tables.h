// Lookup tables of the two CRCs, both processed reflected. Slice 0 is the
// byte-wise table (the register change for input byte b); slice k is that of
// byte b followed by k zero bytes, for sixteen bytes per step.
#pragma once

#include <array>
#include <cstdint>

namespace qm::crc {

inline constexpr int kSlices = 16;

template <typename Word>
using SliceTables = std::array<std::array<Word, 256>, kSlices>;

// Built by the compiler, so they are in place before any export can run.
extern const SliceTables<std::uint32_t> kCrc32Tables;  // reflected 0x04C11DB7
extern const SliceTables<std::uint16_t> kCrc16Tables;  // reflected 0x1021

}  // namespace qm::crc

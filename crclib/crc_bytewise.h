// The table steps shared by the engines: one byte at a time, and sixteen.
#pragma once

#include <cstddef>
#include <cstring>

#include "crclib/crc_tables.h"

namespace qm::crc {

template <typename Word>
Word bytewise(const SliceTables<Word>& tables, Word reg, const unsigned char* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) reg = static_cast<Word>((reg >> 8) ^ tables[0][(reg ^ data[i]) & 0xFF]);
  return reg;
}

// The register is folded into the block's first bytes, after which every byte
// contributes independently through the slice for its distance from the end.
template <typename Word>
Word sliced(const SliceTables<Word>& tables, Word reg, const unsigned char* data, std::size_t size) {
  for (; size >= kSlices; size -= kSlices, data += kSlices) {
    unsigned char block[kSlices];
    std::memcpy(block, data, kSlices);
    for (std::size_t i = 0; i < sizeof(Word); ++i) block[i] ^= static_cast<unsigned char>(reg >> (8 * i));
    Word next = 0;
    for (int i = 0; i < kSlices; ++i) next ^= tables[kSlices - 1 - i][block[i]];
    reg = next;
  }
  return bytewise(tables, reg, data, size);
}

}  // namespace qm::crc

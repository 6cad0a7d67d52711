// Test data for the CRC tests.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "crclib/crc_accumulator.h"

namespace qm::crc::test {

inline std::vector<unsigned char> randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<unsigned char> bytes(size);
  for (auto& b : bytes) b = static_cast<unsigned char>(random());
  return bytes;
}

// The reference: the byte-wise engine over exactly these bytes.
inline CrcPair referenceCrc(const unsigned char* data, std::size_t size) {
  CrcAccumulator accumulator(CrcSet::Both, bytewiseEngine());
  accumulator.update(data, size);
  return accumulator.values();
}

inline std::string texts(const CrcPair& crc) { return crc32Text(crc.crc32) + " " + crc16Text(crc.crc16); }

}  // namespace qm::crc::test

// CRCs over data that arrives in pieces: a file read in blocks, an archive
// member as it is unpacked. One pass feeds both CRCs when both are wanted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "crclib/crc_engine.h"

namespace qm::crc {

enum class CrcSet { Crc32 = 1, Crc16 = 2, Both = 3 };

// Both values; a CRC not computed keeps its value over no data, which is also
// the error value of the exports.
struct CrcPair {
  std::uint32_t crc32 = 0;
  std::uint16_t crc16 = kCrc16Start;
};

class CrcAccumulator {
public:
  explicit CrcAccumulator(CrcSet set = CrcSet::Both, const Engine& engine = fastestEngine());

  void update(const void* data, std::size_t size);
  CrcPair values() const;

private:
  const Engine& engine_;
  bool crc32_, crc16_;
  std::uint32_t reg32_ = kCrc32Start;
  std::uint16_t reg16_ = kCrc16Start;
};

// The texts of main_table: "%08X" and "%04X".
std::string crc32Text(std::uint32_t crc);
std::string crc16Text(std::uint16_t crc);

}  // namespace qm::crc

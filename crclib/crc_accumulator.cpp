#include "crclib/crc_accumulator.h"

#include <algorithm>
#include <cstdio>

namespace qm::crc {
namespace {

// Both CRCs run over one piece while it is still in the level-2 cache.
constexpr std::size_t kPiece = 64 * 1024;

bool has(CrcSet set, CrcSet kind) { return (static_cast<int>(set) & static_cast<int>(kind)) != 0; }

}  // namespace

CrcAccumulator::CrcAccumulator(CrcSet set, const Engine& engine)
    : engine_(engine), crc32_(has(set, CrcSet::Crc32)), crc16_(has(set, CrcSet::Crc16)) {}

void CrcAccumulator::update(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const std::size_t n = std::min(size, kPiece);
    if (crc32_) reg32_ = engine_.crc32(reg32_, bytes, n);
    if (crc16_) reg16_ = engine_.crc16(reg16_, bytes, n);
    bytes += n;
    size -= n;
  }
}

CrcPair CrcAccumulator::values() const {
  CrcPair pair;
  if (crc32_) pair.crc32 = reg32_ ^ kCrc32FinalXor;
  if (crc16_) pair.crc16 = reg16_;
  return pair;
}

std::string crc32Text(std::uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
  return text;
}

std::string crc16Text(std::uint16_t crc) {
  char text[5];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(crc));
  return text;
}

}  // namespace qm::crc

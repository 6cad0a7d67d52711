#include "crclib/crc_bytewise.h"

#include "crclib/crc_engine.h"

namespace qm::crc {
namespace {

std::uint32_t crc32Bytes(std::uint32_t reg, const unsigned char* data, std::size_t size) {
  return bytewise(kCrc32Tables, reg, data, size);
}

std::uint16_t crc16Bytes(std::uint16_t reg, const unsigned char* data, std::size_t size) {
  return bytewise(kCrc16Tables, reg, data, size);
}

}  // namespace

const Engine& bytewiseEngine() {
  static constexpr Engine engine{"bytewise", crc32Bytes, crc16Bytes};
  return engine;
}

}  // namespace qm::crc

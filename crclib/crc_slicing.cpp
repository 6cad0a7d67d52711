#include "crclib/crc_bytewise.h"
#include "crclib/crc_engine.h"

namespace qm::crc {
namespace {

std::uint32_t crc32Sliced(std::uint32_t reg, const unsigned char* data, std::size_t size) {
  return sliced(kCrc32Tables, reg, data, size);
}

std::uint16_t crc16Sliced(std::uint16_t reg, const unsigned char* data, std::size_t size) {
  return sliced(kCrc16Tables, reg, data, size);
}

}  // namespace

const Engine& slicingEngine() {
  static constexpr Engine engine{"slicing-by-16", crc32Sliced, crc16Sliced};
  return engine;
}

}  // namespace qm::crc

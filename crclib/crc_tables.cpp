#include "crclib/crc_tables.h"

namespace qm::crc {
namespace {

template <typename Word>
constexpr SliceTables<Word> buildTables(Word reflectedPolynomial) {
  SliceTables<Word> tables{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    Word value = static_cast<Word>(byte);
    for (int bit = 0; bit < 8; ++bit) {
      value = static_cast<Word>((value & 1) ? (value >> 1) ^ reflectedPolynomial : value >> 1);
    }
    tables[0][byte] = value;
  }
  for (int slice = 1; slice < kSlices; ++slice) {
    for (unsigned byte = 0; byte < 256; ++byte) {
      const Word before = tables[slice - 1][byte];
      tables[slice][byte] = static_cast<Word>((before >> 8) ^ tables[0][before & 0xFF]);
    }
  }
  return tables;
}

}  // namespace

constexpr SliceTables<std::uint32_t> kCrc32Tables = buildTables<std::uint32_t>(0xEDB88320);
constexpr SliceTables<std::uint16_t> kCrc16Tables = buildTables<std::uint16_t>(0x8408);

}  // namespace qm::crc

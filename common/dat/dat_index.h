// A DAT's ROMs found by CRC-32 and by file name in constant time, built once
// per DAT. When several games hold a ROM of one CRC (or one name), the first
// game wins and the others are counted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/dat/dat_file.h"

namespace qm::dat {

struct RomRef {
  const DatGame* game = nullptr;
  const DatRom* rom = nullptr;
};

class DatIndex {
public:
  explicit DatIndex(const DatFile& dat);

  RomRef byCrc(std::uint32_t crc) const;
  // A file name with its extension, or without (`withExtension` false),
  // against the last part of each ROM's name; ASCII case is ignored.
  RomRef byName(std::string_view name, bool withExtension) const;

  // ROMs whose CRC an earlier game already holds.
  long sharedCrcs() const { return sharedCrcs_; }

private:
  std::unordered_map<std::uint32_t, RomRef> crcs_;
  std::unordered_map<std::string, RomRef> names_;
  std::unordered_map<std::string, RomRef> titles_;
  long sharedCrcs_ = 0;
};

// The last part of a ROM's name: after the last "/" or "\" (whole characters).
std::string_view romFileName(std::string_view name);
// The name without its last extension.
std::string_view withoutExtension(std::string_view name);

}  // namespace qm::dat

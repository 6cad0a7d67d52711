#include "crclib/crc_window.h"

#include <algorithm>

namespace qm::crc {

std::optional<ByteRange> resolveWindow(std::uint64_t size, CrcWindow window) {
  if (window.offset >= size) return std::nullopt;
  const std::uint64_t available = size - window.offset;
  const std::uint64_t count = window.length == 0 ? available : std::min(window.length, available);
  return ByteRange{window.offset, count};
}

}  // namespace qm::crc

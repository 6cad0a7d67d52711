// Which bytes a CRC covers: a window of the data, so that a copier header can
// be left out. The numbers are 64-bit here, so images of 4 GB and more work
// and offset + length cannot wrap.
#pragma once

#include <cstdint>
#include <optional>

namespace qm::crc {

struct CrcWindow {
  std::uint64_t offset = 0;  // bytes to skip from the start
  std::uint64_t length = 0;  // bytes to take; 0 up to the end
};

struct ByteRange {
  std::uint64_t start;
  std::uint64_t count;
};

// The bytes of data of `size` bytes that the window covers, cut at the end;
// nothing when there are none: empty data, or a window that starts at or
// beyond the end.
std::optional<ByteRange> resolveWindow(std::uint64_t size, CrcWindow window);

}  // namespace qm::crc

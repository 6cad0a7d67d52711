// The file headers of a rar 4 archive, read by us: libarchive checks the CRC of
// a stored rar 4 member only when asked for more bytes after the last one, which
// a reader that stops at the member's size never does, and it does not tell the
// CRC the header states. Only what that check needs is kept.
#pragma once

#include <cstdint>
#include <vector>

#include "common/archive/byte_source.h"

namespace qm::archive {

struct Rar4FileHeader {
  std::uint32_t crc32 = 0;         // FILE_CRC: of the unpacked bytes, for a whole member
  std::uint64_t unpackedSize = 0;  // UNP_SIZE, with HIGH_UNP_SIZE when given
  bool stored = false;             // method 0x30: the data is the member's bytes
  bool whole = false;              // not a folder, not split over volumes, not encrypted
};

// One per file header (block type 0x74), folders too, in archive order: the
// order in which libarchive returns its entries. Reading stops at the end
// block, at the end of the source, or at the first header that makes no sense;
// a source that is not a rar 4 archive, or whose headers are encrypted, gives
// none. At most kMaxRar4Blocks blocks are read.
std::vector<Rar4FileHeader> readRar4FileHeaders(ByteSource& source);

inline constexpr std::size_t kMaxRar4Blocks = 1 << 20;

}  // namespace qm::archive

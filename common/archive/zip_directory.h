// The central directory of a zip file, read by us: libarchive does not tell a
// member's stored CRC-32, and the directory has it without unpacking anything.
// Also the member names exactly as stored, which libarchive would convert.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/archive/byte_source.h"

namespace qm::archive {

struct ZipDirectoryEntry {
  std::string rawName;              // the bytes as stored
  bool utf8Flag = false;            // general-purpose bit 11: rawName is UTF-8
  std::optional<std::string> unicodePath;  // Info-ZIP extra field 0x7075 (UTF-8)
  bool unicodePathCurrent = false;  // that field was written for this rawName
  std::optional<std::uint32_t> crc32;  // none for WinZip AES-2, which stores 0
  std::uint64_t size = 0;
  std::uint64_t compressedSize = 0;
};

struct ZipDirectory {
  std::vector<ZipDirectoryEntry> entries;
  // Why reading stopped early (English); the entries before it are kept.
  std::optional<std::string> error;
};

// Memory use is bounded by a 64 KiB window and the entries themselves, whatever
// sizes and counts the file declares.
ZipDirectory readZipDirectory(ByteSource& source);

}  // namespace qm::archive

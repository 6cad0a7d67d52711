#include "common/archive/rar4_file_headers.h"

#include <array>
#include <span>

#include "common/archive/little_endian.h"

namespace qm::archive {
namespace {

constexpr std::array<std::uint8_t, 7> kMarker = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr std::uint8_t kArchiveHeader = 0x73;
constexpr std::uint8_t kFileHeader = 0x74;
constexpr std::uint8_t kEndBlock = 0x7B;

constexpr std::uint16_t kLongBlock = 0x8000;         // ADD_SIZE follows HEAD_SIZE
constexpr std::uint16_t kEncryptedHeaders = 0x0080;  // of the archive header
constexpr std::uint16_t kSplitBefore = 0x01, kSplitAfter = 0x02, kPassword = 0x04;
constexpr std::uint16_t kDictionaryBits = 0xE0;  // all set: a folder
constexpr std::uint16_t kLargeSizes = 0x100;     // HIGH_PACK_SIZE and HIGH_UNP_SIZE follow ATTR
constexpr std::uint8_t kStoredMethod = 0x30;

constexpr std::size_t kBlockHead = 7;
// A file header up to ATTR (32 bytes), then the two high sizes.
constexpr std::size_t kFileFields = 32;
constexpr std::size_t kLargeFileFields = 40;

Rar4FileHeader fileHeaderOf(const std::uint8_t* head, std::uint16_t flags) {
  Rar4FileHeader header;
  header.unpackedSize = le32(head + 11);
  if (flags & kLargeSizes) header.unpackedSize |= static_cast<std::uint64_t>(le32(head + 36)) << 32;
  header.crc32 = le32(head + 16);
  header.stored = head[25] == kStoredMethod;
  header.whole = (flags & kDictionaryBits) != kDictionaryBits && !(flags & (kSplitBefore | kSplitAfter | kPassword));
  return header;
}

}  // namespace

std::vector<Rar4FileHeader> readRar4FileHeaders(ByteSource& source) {
  std::vector<Rar4FileHeader> headers;
  std::array<std::uint8_t, kMarker.size()> marker;
  if (!readExactly(source, 0, std::span(marker)) || marker != kMarker) return headers;
  std::uint64_t at = kMarker.size();
  for (std::size_t blocks = 0; blocks < kMaxRar4Blocks; ++blocks) {
    std::array<std::uint8_t, kLargeFileFields> head{};
    if (!readExactly(source, at, std::span(head).first(kBlockHead))) break;
    const std::uint8_t type = head[2];
    const std::uint16_t flags = le16(head.data() + 3);
    const std::uint16_t headSize = le16(head.data() + 5);
    if (type == kEndBlock || headSize < kBlockHead) break;
    if (type == kArchiveHeader && (flags & kEncryptedHeaders)) return {};
    std::uint64_t dataSize = 0;
    if (type == kFileHeader) {
      const std::size_t fields = flags & kLargeSizes ? kLargeFileFields : kFileFields;
      if (headSize < fields || !readExactly(source, at, std::span(head).first(fields))) break;
      dataSize = le32(head.data() + 7);
      if (flags & kLargeSizes) dataSize |= static_cast<std::uint64_t>(le32(head.data() + 32)) << 32;
      headers.push_back(fileHeaderOf(head.data(), flags));
    } else if (flags & kLongBlock) {
      if (headSize < kBlockHead + 4 || !readExactly(source, at, std::span(head).first(kBlockHead + 4))) break;
      dataSize = le32(head.data() + 7);
    }
    const std::uint64_t next = at + headSize + dataSize;
    if (next > source.size()) break;
    at = next;
  }
  return headers;
}

}  // namespace qm::archive

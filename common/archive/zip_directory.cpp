#include "common/archive/zip_directory.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "common/archive/little_endian.h"

namespace qm::archive {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr std::uint32_t kSignatureSignature = 0x05054b50;
constexpr std::size_t kEndBytes = 22;
constexpr std::size_t kLocatorBytes = 20;
constexpr std::size_t kZip64EndBytes = 56;
constexpr std::size_t kEntryBytes = 46;
constexpr std::size_t kMaxComment = 0xFFFF;
constexpr std::uint16_t kAesMethod = 99;

// Reads a range of the source front to back through a window, so that a
// directory of any declared size costs one window of memory.
class RangeReader {
public:
  RangeReader(ByteSource& source, std::uint64_t begin, std::uint64_t end)
      : source_(source), position_(begin), end_(end) {}

  std::uint64_t remaining() const { return end_ - position_ + (window_.size() - used_); }

  bool read(std::uint8_t* out, std::size_t n) {
    while (n > 0) {
      if (used_ == window_.size() && !fill()) return false;
      const std::size_t take = std::min(n, window_.size() - used_);
      std::memcpy(out, window_.data() + used_, take);
      used_ += take;
      out += take;
      n -= take;
    }
    return true;
  }

  bool readString(std::string& out, std::size_t n) {
    out.resize(n);
    return read(reinterpret_cast<std::uint8_t*>(out.data()), n);
  }

  bool skip(std::size_t n) {
    const std::size_t inWindow = std::min(n, window_.size() - used_);
    used_ += inWindow;
    n -= inWindow;
    if (n > end_ - position_) return false;
    position_ += n;
    return true;
  }

private:
  bool fill() {
    if (position_ >= end_) return false;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, end_ - position_));
    window_.resize(want);
    if (!readExactly(source_, position_, window_)) return false;
    position_ += want;
    used_ = 0;
    return true;
  }

  static constexpr std::size_t kWindow = 64 * 1024;
  ByteSource& source_;
  std::uint64_t position_;
  std::uint64_t end_;
  std::vector<std::uint8_t> window_;
  std::size_t used_ = 0;
};

struct DirectoryPlace {
  std::uint64_t begin = 0;
  std::uint64_t size = 0;
};

struct EndRecord {
  std::uint64_t position = 0;
  std::array<std::uint8_t, kEndBytes> bytes{};
};

// The end record is the last thing in the file, with its comment. A comment
// may itself hold the signature, so the record whose comment ends exactly at
// the end of the file wins; failing that (bytes appended after the archive),
// the last record whose comment fits.
std::optional<EndRecord> findEndRecord(ByteSource& source) {
  const std::uint64_t size = source.size();
  if (size < kEndBytes) return std::nullopt;
  const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, kEndBytes + kMaxComment));
  std::vector<std::uint8_t> tail(tailSize);
  const std::uint64_t tailStart = size - tailSize;
  if (!readExactly(source, tailStart, tail)) return std::nullopt;
  for (const bool exact : {true, false}) {
    for (std::size_t i = tailSize - kEndBytes + 1; i-- > 0;) {
      if (le32(&tail[i]) != kEndSignature) continue;
      const std::size_t end = i + kEndBytes + le16(&tail[i + 20]);
      if (exact ? end != tailSize : end > tailSize) continue;
      EndRecord record;
      record.position = tailStart + i;
      std::memcpy(record.bytes.data(), &tail[i], kEndBytes);
      return record;
    }
  }
  return std::nullopt;
}

std::optional<DirectoryPlace> zip64Place(ByteSource& source, std::uint64_t endPosition) {
  if (endPosition < kLocatorBytes) return std::nullopt;
  std::array<std::uint8_t, kLocatorBytes> locator;
  if (!readExactly(source, endPosition - kLocatorBytes, locator) || le32(locator.data()) != kZip64LocatorSignature)
    return std::nullopt;
  std::array<std::uint8_t, kZip64EndBytes> end;
  if (!readExactly(source, le64(&locator[8]), end) || le32(end.data()) != kZip64EndSignature) return std::nullopt;
  return DirectoryPlace{le64(&end[48]), le64(&end[40])};
}

bool startsWithEntry(ByteSource& source, std::uint64_t at) {
  std::array<std::uint8_t, 4> signature;
  return readExactly(source, at, signature) && le32(signature.data()) == kEntrySignature;
}

std::optional<DirectoryPlace> checkedPlace(DirectoryPlace place, std::uint64_t limit, std::string& error) {
  if (place.size > limit || place.begin > limit - place.size) {
    error = "central directory larger than the file";
    return std::nullopt;
  }
  return place;
}

std::optional<DirectoryPlace> findDirectory(ByteSource& source, std::string& error) {
  const auto end = findEndRecord(source);
  if (!end) {
    error = "no zip end record";
    return std::nullopt;
  }
  const std::uint8_t* e = end->bytes.data();
  if (le16(e + 4) != 0 || le16(e + 6) != 0) {
    error = "multi-volume zip files are not supported";
    return std::nullopt;
  }
  DirectoryPlace place{le32(e + 16), le32(e + 12)};
  if (le16(e + 10) == 0xFFFF || place.size == 0xFFFFFFFF || place.begin == 0xFFFFFFFF) {
    if (const auto wide = zip64Place(source, end->position)) return checkedPlace(*wide, end->position, error);
  }
  if (place.size > end->position) {
    error = "central directory larger than the file";
    return std::nullopt;
  }
  // Data put before the archive (a self-extractor) shifts the directory
  // away from its stated offset: then it ends where the end record starts.
  const std::uint64_t shifted = end->position - place.size;
  if (place.begin > shifted || (place.size > 0 && !startsWithEntry(source, place.begin))) place.begin = shifted;
  return place;
}

struct ExtraField {
  std::uint16_t id;
  const std::uint8_t* data;
  std::size_t size;
};

template <typename Visit>
void forEachExtra(const std::vector<std::uint8_t>& extra, Visit visit) {
  for (std::size_t at = 0; at + 4 <= extra.size();) {
    const std::size_t size = le16(&extra[at + 2]);
    if (at + 4 + size > extra.size()) return;
    visit(ExtraField{le16(&extra[at]), &extra[at + 4], size});
    at += 4 + size;
  }
}

// The zip64 field holds only the values whose 32-bit slots are all ones, in order.
void applyZip64(const ExtraField& field, ZipDirectoryEntry& entry, bool wideSize, bool wideCompressed) {
  std::size_t at = 0;
  if (wideSize && at + 8 <= field.size) {
    entry.size = le64(field.data + at);
    at += 8;
  }
  if (wideCompressed && at + 8 <= field.size) entry.compressedSize = le64(field.data + at);
}

void applyUnicodePath(const ExtraField& field, ZipDirectoryEntry& entry) {
  if (field.size < 5 || field.data[0] != 1) return;
  entry.unicodePath.emplace(reinterpret_cast<const char*>(field.data + 5), field.size - 5);
  const auto* raw = reinterpret_cast<const Bytef*>(entry.rawName.data());
  entry.unicodePathCurrent = crc32(0, raw, static_cast<uInt>(entry.rawName.size())) == le32(field.data + 1);
}

void applyExtras(const std::vector<std::uint8_t>& extra, const std::uint8_t* header, ZipDirectoryEntry& entry) {
  const bool wideSize = le32(header + 24) == 0xFFFFFFFF;
  const bool wideCompressed = le32(header + 20) == 0xFFFFFFFF;
  const bool aes = le16(header + 10) == kAesMethod;
  forEachExtra(extra, [&](const ExtraField& field) {
    if (field.id == 0x0001) applyZip64(field, entry, wideSize, wideCompressed);
    if (field.id == 0x7075) applyUnicodePath(field, entry);
    // AE-2 leaves the CRC at 0 and authenticates the data instead.
    if (field.id == 0x9901 && aes && field.size >= 2 && le16(field.data) == 2) entry.crc32.reset();
  });
}

std::optional<ZipDirectoryEntry> readEntry(RangeReader& reader, const std::uint8_t* header) {
  ZipDirectoryEntry entry;
  entry.utf8Flag = (le16(header + 8) & 0x0800) != 0;
  entry.crc32 = le32(header + 16);
  entry.compressedSize = le32(header + 20);
  entry.size = le32(header + 24);
  std::vector<std::uint8_t> extra(le16(header + 30));
  if (!reader.readString(entry.rawName, le16(header + 28)) || !reader.read(extra.data(), extra.size()) ||
      !reader.skip(le16(header + 32)))
    return std::nullopt;
  applyExtras(extra, header, entry);
  return entry;
}

}  // namespace

ZipDirectory readZipDirectory(ByteSource& source) {
  ZipDirectory directory;
  std::string error;
  const auto place = findDirectory(source, error);
  if (!place) {
    directory.error = error;
    return directory;
  }
  // The directory's own size bounds the walk; the declared entry count wraps
  // at 65536 in files written without zip64, so it is not used.
  RangeReader reader(source, place->begin, place->begin + place->size);
  std::array<std::uint8_t, kEntryBytes> header;
  while (reader.remaining() >= 4) {
    if (!reader.read(header.data(), 4)) break;
    const std::uint32_t signature = le32(header.data());
    if (signature == kSignatureSignature || signature == kZip64EndSignature) break;
    if (signature != kEntrySignature || !reader.read(header.data() + 4, kEntryBytes - 4)) {
      directory.error = "damaged central directory";
      break;
    }
    auto entry = readEntry(reader, header.data());
    if (!entry) {
      directory.error = "central directory cut short";
      break;
    }
    directory.entries.push_back(std::move(*entry));
  }
  return directory;
}

}  // namespace qm::archive

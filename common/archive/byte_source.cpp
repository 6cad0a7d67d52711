#include "common/archive/byte_source.h"

#include <algorithm>
#include <cstring>

namespace qm::archive {

std::optional<std::size_t> MemorySource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (offset >= bytes_.size()) return 0;
  const std::size_t n = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
  std::memcpy(out.data(), bytes_.data() + offset, n);
  return n;
}

std::optional<FileSource> FileSource::open(const std::string& path) {
  StdioFile file = openStdioFile(path, "rb");
  std::uint64_t size = 0;
  if (!file || !stdioFileSize(file.get(), size)) return std::nullopt;
  // Reads come in blocks of their own; stdio's buffer would only copy them twice.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return FileSource(std::move(file), size);
}

std::optional<std::size_t> FileSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (offset >= size_) return 0;
  if (!seekStdioFile(file_.get(), offset)) return std::nullopt;
  const std::size_t n = std::fread(out.data(), 1, out.size(), file_.get());
  if (n == 0 && std::ferror(file_.get())) return std::nullopt;
  return n;
}

bool readExactly(ByteSource& source, std::uint64_t offset, std::span<std::uint8_t> out) {
  while (!out.empty()) {
    const auto n = source.readAt(offset, out);
    if (!n || *n == 0) return false;
    offset += *n;
    out = out.subspan(*n);
  }
  return true;
}

}  // namespace qm::archive

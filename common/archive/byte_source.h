// Random access to an archive's bytes: a file, or a block of memory (fuzzing,
// archives inside archives). Both libarchive and the zip directory reader read
// through it, each at positions of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "common/archive/stdio_file.h"

namespace qm::archive {

class ByteSource {
public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // Reads up to out.size() bytes at offset; the count read, 0 at or past the
  // end, nothing on a read error.
  virtual std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class MemorySource : public ByteSource {
public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
  std::span<const std::uint8_t> bytes_;
};

class FileSource : public ByteSource {
public:
  // Nothing when the file cannot be opened or measured.
  static std::optional<FileSource> open(const std::string& path);

  std::uint64_t size() const override { return size_; }
  std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
  FileSource(StdioFile file, std::uint64_t size) : file_(std::move(file)), size_(size) {}
  StdioFile file_;
  std::uint64_t size_;
};

// Fills `out` completely; false when the source ends first or fails.
bool readExactly(ByteSource& source, std::uint64_t offset, std::span<std::uint8_t> out);

}  // namespace qm::archive

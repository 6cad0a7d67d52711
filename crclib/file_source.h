// A file opened for a CRC: shared for reading, existing files only, read at
// any 64-bit offset. Failures carry the system's message text.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "common/platform/files.h"

namespace qm::crc {

class FileSource {
public:
  virtual ~FileSource() = default;
  virtual std::uint64_t size() const = 0;
  // Fills `into` from `offset`. A file that ends first is an error as well
  // (it shrank since it was opened): nothing is ever made up of zeros.
  // Returns the error text (program text), or nothing on success.
  virtual std::optional<std::string> read(std::uint64_t offset, std::span<unsigned char> into) = 0;
  // The opened file's size and time in platform::fileStamp's units; nothing
  // for data that is not a file of its own.
  virtual std::optional<platform::FileStamp> stamp() const { return std::nullopt; }
};

struct OpenedSource {
  std::unique_ptr<FileSource> source;  // null on failure
  std::string error;                   // the system's text for why
};

OpenedSource openFileSource(const std::string& path);

}  // namespace qm::crc

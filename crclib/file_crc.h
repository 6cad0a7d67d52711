// CRCs over a window of a file or of memory. A file is read in blocks of a few
// MiB, never whole; the window is resolved in 64-bit numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "crclib/crc_accumulator.h"
#include "crclib/crc_window.h"
#include "crclib/file_source.h"
#include "crclib/progress_marker.h"

namespace qm::crc {

inline constexpr std::size_t kReadBlock = 4 * 1024 * 1024;

enum class CrcOutcome {
  Computed,
  NoBytes,  // empty data or a window beyond its end: the error values, silently
  Failed,   // the file could not be opened or read: the error values and a message
};

struct CrcReport {
  CrcOutcome outcome = CrcOutcome::NoBytes;
  CrcPair crc;        // the error values unless computed
  std::string error;  // when failed: the system's message text (program text)
  std::optional<platform::FileStamp> stamp = std::nullopt;  // of the file read, when it could be opened
};

CrcReport fileCrc(const std::string& path, CrcWindow window, CrcSet set, ProgressMarker* marker = nullptr);
CrcReport sourceCrc(FileSource& source, CrcWindow window, CrcSet set, ProgressMarker* marker = nullptr);
CrcReport memoryCrc(const unsigned char* data, std::uint64_t size, CrcWindow window, CrcSet set,
                    ProgressMarker* marker = nullptr);

}  // namespace qm::crc

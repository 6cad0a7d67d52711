// The CRC texts a recomputation asks for, as Quillmoor2_GetCRC's four exports
// give them ("%08X" and "%04X", "00000000" and "FFFF" when there is none).
// Behind an interface so the run is tested with the real library and with
// stand-ins alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "crclib/crc_calls.h"

namespace qm::crc_check {

using crc::CrcKind;

// A file's CRC text, or why the file could not be read.
struct FileCrcText {
  std::string text;
  std::optional<std::string> error;  // the system's text (program text)
};

class CrcFunctions {
public:
  virtual ~CrcFunctions() = default;
  // Over a window of a file (GetFileCRC32 / GetFileCRC16).
  virtual FileCrcText fileCrc(CrcKind kind, const std::string& path, std::uint32_t offset, std::uint32_t length) = 0;
  // Over all of `bytes` (GetMemCRC32 / GetMemCRC16).
  virtual std::string memoryCrc(CrcKind kind, std::string_view bytes) = 0;
};

}  // namespace qm::crc_check

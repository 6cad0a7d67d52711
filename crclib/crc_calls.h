// What the four CRC exports do, behind their C signatures: one CRC as its
// result text, the error value when there is none, and a message box when a
// file cannot be opened or read.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform/message_sink.h"
#include "crclib/crc_window.h"
#include "crclib/progress_marker.h"

namespace qm::crc {

enum class CrcKind { Crc32, Crc16 };

// The box: the system's message text, caption "CRC32 calc error" or
// "CRC16 calc error", button OK, no icon.
std::string fileCrcText(const std::string& path, CrcKind kind, CrcWindow window, ProgressMarker* marker,
                        platform::MessageSink& sink);
std::string memoryCrcText(const unsigned char* data, std::uint64_t size, CrcKind kind, CrcWindow window,
                          ProgressMarker* marker);

}  // namespace qm::crc

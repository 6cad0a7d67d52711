// The CRC exports of Quillmoor2_GetCRC. Nothing may leave them as an exception:
// a failure of our own gives the error value like any other.
#include <cstdint>
#include <string>

#include "common/platform/export.h"
#include "common/platform/message_sink.h"
#include "crclib/crc_calls.h"
#include "crclib/heap_text.h"

namespace {

using qm::crc::CrcKind;

const char* errorValue(CrcKind kind) { return kind == CrcKind::Crc32 ? "00000000" : "FFFF"; }

void fileExport(CrcKind kind, const char* path, char** result, void* statusWindow, std::uint32_t offset,
                std::uint32_t length) {
  try {
    const auto marker = qm::crc::windowMarker(statusWindow);
    // The box has no owner: the status window is only the marker.
    const auto sink = qm::platform::makeWindowSink(nullptr);
    qm::crc::replaceHeapText(result, qm::crc::fileCrcText(path ? path : "", kind, {offset, length}, marker.get(),
                                                          *sink));
  } catch (...) {
    qm::crc::replaceHeapText(result, errorValue(kind));
  }
}

void memoryExport(CrcKind kind, const void* const* data, std::uint32_t size, std::uint32_t offset,
                  std::uint32_t length, char** result, void* statusWindow) {
  try {
    const auto marker = qm::crc::windowMarker(statusWindow);
    const auto* bytes = data ? static_cast<const unsigned char*>(*data) : nullptr;
    qm::crc::replaceHeapText(result, qm::crc::memoryCrcText(bytes, size, kind, {offset, length}, marker.get()));
  } catch (...) {
    qm::crc::replaceHeapText(result, errorValue(kind));
  }
}

}  // namespace

extern "C" {

QM_EXPORT void QM_STDCALL GetFileCRC32(const char* path, char** result, void* statusWindow, std::uint32_t offset,
                                       std::uint32_t length) {
  fileExport(CrcKind::Crc32, path, result, statusWindow, offset, length);
}

QM_EXPORT void QM_STDCALL GetFileCRC16(const char* path, char** result, void* statusWindow, std::uint32_t offset,
                                       std::uint32_t length) {
  fileExport(CrcKind::Crc16, path, result, statusWindow, offset, length);
}

QM_EXPORT void QM_STDCALL GetMemCRC32(const void* const* data, std::uint32_t size, std::uint32_t offset,
                                      std::uint32_t length, char** result, void* statusWindow) {
  memoryExport(CrcKind::Crc32, data, size, offset, length, result, statusWindow);
}

QM_EXPORT void QM_STDCALL GetMemCRC16(const void* const* data, std::uint32_t size, std::uint32_t offset,
                                      std::uint32_t length, char** result, void* statusWindow) {
  memoryExport(CrcKind::Crc16, data, size, offset, length, result, statusWindow);
}

}  // extern "C"

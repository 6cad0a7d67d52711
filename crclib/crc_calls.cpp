#include "crclib/crc_calls.h"

#include "crclib/file_crc.h"

namespace qm::crc {
namespace {

CrcSet setOf(CrcKind kind) { return kind == CrcKind::Crc32 ? CrcSet::Crc32 : CrcSet::Crc16; }

// Failed reports carry the error values, so every outcome formats alike.
std::string textOf(const CrcReport& report, CrcKind kind) {
  return kind == CrcKind::Crc32 ? crc32Text(report.crc.crc32) : crc16Text(report.crc.crc16);
}

}  // namespace

std::string fileCrcText(const std::string& path, CrcKind kind, CrcWindow window, ProgressMarker* marker,
                        platform::MessageSink& sink) {
  const CrcReport report = fileCrc(path, window, setOf(kind), marker);
  if (report.outcome == CrcOutcome::Failed) {
    sink.show(report.error, kind == CrcKind::Crc32 ? "CRC32 calc error" : "CRC16 calc error",
              platform::MessageIcon::None, platform::MessageButtons::Ok);
  }
  return textOf(report, kind);
}

std::string memoryCrcText(const unsigned char* data, std::uint64_t size, CrcKind kind, CrcWindow window,
                          ProgressMarker* marker) {
  return textOf(memoryCrc(data, size, window, setOf(kind), marker), kind);
}

}  // namespace qm::crc

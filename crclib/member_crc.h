// The CRCs of an archive member's window, taken while the member streams past,
// so no member is ever held whole in memory or written to a temporary folder.
#pragma once

#include <cstdint>
#include <optional>

#include "common/archive/member_sink.h"
#include "crclib/crc_accumulator.h"
#include "crclib/crc_window.h"
#include "crclib/progress_marker.h"

namespace qm::reg {

class MemberCrcSink : public archive::MemberSink {
public:
  MemberCrcSink(crc::CrcWindow window, crc::CrcSet set, crc::ProgressMarker* marker)
      : window_(window), accumulator_(set), feed_(accumulator_, marker) {}

  bool write(std::span<const std::uint8_t> block) override;

  // The member was shorter than the window asks for (offset + length, or the
  // offset alone when the length is 0).
  bool windowBeyondEnd() const;
  // The CRCs over the window; nothing when the window held no bytes.
  std::optional<crc::CrcPair> values() const;

private:
  crc::CrcWindow window_;
  crc::CrcAccumulator accumulator_;
  crc::MarkedFeed feed_;
  std::uint64_t seen_ = 0;
  std::uint64_t taken_ = 0;
};

}  // namespace qm::reg

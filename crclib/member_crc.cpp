#include "crclib/member_crc.h"

#include <algorithm>

namespace qm::reg {

bool MemberCrcSink::write(std::span<const std::uint8_t> block) {
  const std::uint64_t start = seen_;
  seen_ += block.size();
  const std::uint64_t from = std::max(start, window_.offset);
  std::uint64_t to = seen_;
  if (window_.length != 0) to = std::min(to, window_.offset + window_.length);
  if (from < to) {
    feed_.add(block.data() + (from - start), static_cast<std::size_t>(to - from));
    taken_ += to - from;
  }
  return true;
}

bool MemberCrcSink::windowBeyondEnd() const {
  if (window_.offset == 0 && window_.length == 0) return false;
  return seen_ < window_.offset + window_.length;
}

std::optional<crc::CrcPair> MemberCrcSink::values() const {
  if (taken_ == 0) return std::nullopt;
  return accumulator_.values();
}

}  // namespace qm::reg

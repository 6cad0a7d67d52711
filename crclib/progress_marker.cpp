#include "crclib/progress_marker.h"

#include <algorithm>
#include <atomic>

namespace qm::crc {

const char* nextMarkerText() {
  static const char* const kTexts[] = {"wait.  ", "wait . ", "wait  ."};
  // Atomic only to keep concurrent callers well-defined; the order of steps
  // between threads does not matter.
  static std::atomic<unsigned> step{0};
  return kTexts[step.fetch_add(1, std::memory_order_relaxed) % 3];
}

void MarkedFeed::add(const unsigned char* data, std::size_t size) {
  while (size > 0) {
    const std::uint64_t intoStep = position_ % kMarkerSpacing;
    // The cycle moves on without a window too, as every caller shares it.
    if (intoStep == 0) {
      const char* text = nextMarkerText();
      if (marker_) marker_->show(text);
    }
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, kMarkerSpacing - intoStep));
    accumulator_.update(data, n);
    data += n;
    size -= n;
    position_ += n;
  }
}

}  // namespace qm::crc

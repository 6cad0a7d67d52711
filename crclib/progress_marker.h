// The small "wait." marker of the registration window, animated while a CRC
// runs: one step every 5,000,000 bytes of a window, position 0 included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "crclib/crc_accumulator.h"

namespace qm::crc {

inline constexpr std::uint64_t kMarkerSpacing = 5'000'000;

class ProgressMarker {
public:
  virtual ~ProgressMarker() = default;
  virtual void show(const char* text) = 0;
};

// The next of "wait.  ", "wait . ", "wait  .". One cycle for the whole
// library, so the animation runs on across calls and threads.
const char* nextMarkerText();

// A marker that sets the text of a window (a window handle on Windows);
// nothing for a null handle, and nothing natively, where there are no windows.
std::unique_ptr<ProgressMarker> windowMarker(void* window);

// Feeds a window's bytes into an accumulator, stepping the cycle and showing
// the marker (if any) at every multiple of the spacing within the window.
class MarkedFeed {
public:
  MarkedFeed(CrcAccumulator& accumulator, ProgressMarker* marker) : accumulator_(accumulator), marker_(marker) {}
  void add(const unsigned char* data, std::size_t size);

private:
  CrcAccumulator& accumulator_;
  ProgressMarker* marker_;
  std::uint64_t position_ = 0;
};

}  // namespace qm::crc

// The one stop request of the maintenance runs. The dialogs that start a run
// are modal and only one is open at a time, so one process-wide word serves
// them all; it is 16 bits because the image backup dialog also keeps its
// state in it.
#pragma once

#include <atomic>
#include <cstdint>

namespace qm::maintenance {

using StopFlag = std::atomic<std::int16_t>;

inline constexpr std::int16_t kStopRequested = 1;

StopFlag& processStopFlag();

inline bool stopRequested(const StopFlag& flag) { return flag.load() == kStopRequested; }

}  // namespace qm::maintenance

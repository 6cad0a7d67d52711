// The stop request between a long run on a worker thread and the window or
// tool that started it: one 16-bit word, as the registration library's
// exports hand it across and as the maintenance dialogs share it.
#pragma once

#include <atomic>
#include <cstdint>

namespace qm {

using StopFlag = std::atomic<std::uint16_t>;

namespace stop {
inline constexpr std::uint16_t kRunning = 0;
// The user asked to stop. A registration run asks "中止しますか？" first; a
// maintenance run stops after the row at hand.
inline constexpr std::uint16_t kAsked = 1;
// Stop now: the user confirmed, or an error forced it.
inline constexpr std::uint16_t kNow = 2;
}  // namespace stop

}  // namespace qm

// The main window's status bar: its parts and the texts the shell writes
// there, and timer 1's Scroll Lock indicator.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace qm::shell {

enum StatusPart {
  kTitleCountPart = 0,
  kHitCountPart = 1,
  kSearchTimePart = 3,
  kDllLoadPart = 4,
  kScrollLockPart = 5,      // "Scroll Lock" with the lamp
  kScrollLockLampPart = 6,  // the lamp alone
};

inline constexpr int kStatusPartCount = 7;
// Right edges of the parts in a status bar `width` pixels wide: the counts
// from the left, the Scroll Lock parts at the right end, part 4 between them
// (-1: to the end).
std::array<int, kStatusPartCount> statusPartEdges(int width);

// Part 4: where the archive libraries are loaded from (program text).
std::string dllLoadText(bool safeLoad);
// Part 2 after launches whose key scripts lost keys to another program's
// window in front (program text); "" when none was lost.
std::string skippedKeysText(int skipped);

inline constexpr const char* kScrollLockLabel = "Scroll Lock";

// Timer 1 reads the key every 300 ms; the status bar is written only when
// what it shows changes, so that the polling costs nothing on screen.
class ScrollLockIndicator {
public:
  // The state read now; true when the lamps must be drawn again.
  bool update(bool on) {
    const bool changed = shown_ != on;
    shown_ = on;
    return changed;
  }
  // The state shown, kept in the settings ("KeyState", "ScrlLk"); false
  // before the first reading.
  bool on() const { return shown_.value_or(false); }

private:
  std::optional<bool> shown_;
};

}  // namespace qm::shell

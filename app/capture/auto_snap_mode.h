// The automatic snapshot mode, program-wide: 0 off, 1 the whole desktop (all
// monitors), 2 the foreground window, 3 the clipboard picture. The tool bar
// button and its menu command step it 0 -> 1 -> 2 -> 3 -> 0. A launch takes
// the mode in force when its emulator starts and keeps it for its run; each
// run stops its own snapshot thread, so one launch ending never stops
// another's.
#pragma once

#include <atomic>
#include <string>

namespace qm::capture {

inline constexpr int kAutoSnapModes = 4;

class AutoSnapMode {
public:
  int mode() const { return mode_.load(); }
  void set(int mode) { mode_ = (mode >= 0 && mode < kAutoSnapModes) ? mode : 0; }
  int step();  // the new mode

  // Runs taking automatic snapshots now; while any does, the mode shows
  // negated (-1, -2, -3: active).
  void runStarted() { ++activeRuns_; }
  void runEnded() { --activeRuns_; }
  int shownValue() const { return activeRuns_.load() > 0 ? -mode_.load() : mode_.load(); }

private:
  std::atomic<int> mode_{0};
  std::atomic<int> activeRuns_{0};
};

// The process's one mode.
AutoSnapMode& autoSnapMode();

// The button's tip and the menu command's label for a mode (program text).
std::string autoSnapLabel(int mode);

}  // namespace qm::capture

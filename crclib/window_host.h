// The progress window of a registration run as a RegistrationHost: on Windows
// the controls dirAddImg receives, updated from the worker thread a few times a
// second (the last texts always arrive); natively nothing is shown and every
// question is answered Yes.
#pragma once

#include <memory>
#include <string>

#include "crclib/registration.h"

namespace qm::reg {

struct ProgressWindows {
  void* owner = nullptr;     // the progress window, owner of every box
  void* status = nullptr;    // status text
  void* item = nullptr;      // current item text
  void* marker = nullptr;    // the "wait." marker
  void* button = nullptr;    // becomes "終了"
  void* progress = nullptr;  // progress bar
};

// The run's log lines go to this file of the program folder, made anew by a
// run's first line; the final status text points to it.
inline constexpr const char* kRegistrationLogName = "Quillmoor2_register.log";

// A run whose progress window is closed stops: the host then sets `stop` to
// stop::kNow. `logPath` is the file of the log lines.
std::unique_ptr<RegistrationHost> makeWindowHost(const ProgressWindows& windows, StopFlag& stop,
                                                 const std::string& logPath);

}  // namespace qm::reg

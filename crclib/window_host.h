// The progress window of a registration run as a RegistrationHost: on Windows
// the controls dirAddImg receives, updated from the worker thread a few times a
// second (the last texts always arrive); natively nothing is shown and every
// question is answered Yes.
#pragma once

#include <memory>

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

// A run whose progress window is closed stops: the host then sets `stop` to 2.
std::unique_ptr<RegistrationHost> makeWindowHost(const ProgressWindows& windows, StopFlag& stop);

}  // namespace qm::reg

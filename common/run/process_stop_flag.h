// The one stop request of the maintenance runs. The dialogs that start a run
// are modal and only one is open at a time, so one process-wide word serves
// them all; it is 16 bits because the image backup dialog also keeps its
// state in it.
#pragma once

#include "common/run/stop_flag.h"

namespace qm::maintenance {

using qm::StopFlag;

StopFlag& processStopFlag();

inline bool stopRequested(const StopFlag& flag) { return flag.load() == stop::kAsked; }

}  // namespace qm::maintenance

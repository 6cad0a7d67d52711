// What else happens around one emulator run besides the launch itself: the
// key script typed into the emulator, automatic snapshots while it runs, the
// snapshot steps after it. The program supplies one per launch; the
// command-line launch has none.
#pragma once

#include "app/launch/launch_host.h"
#include "app/launch/launch_plan.h"

namespace qm::launch {

class RunObserver {
public:
  virtual ~RunObserver() = default;
  // Before the emulator starts: the clipboard is emptied so that an old
  // picture is never taken for one copied during the run.
  virtual void beforeStart(const LaunchPlan& /*plan*/, const LaunchItem& /*item*/) {}
  // The emulator is up and counted as running (on the launch's worker).
  virtual void running(const LaunchPlan& /*plan*/, const LaunchItem& /*item*/, EmulatorProcess& /*process*/) {}
  // The emulator has ended: whatever ran beside it stops and is joined.
  virtual void stopped() {}
  // After the end programs: the pictures of the run are saved.
  virtual void afterRun(const LaunchPlan& /*plan*/, const LaunchItem& /*item*/) {}
};

}  // namespace qm::launch

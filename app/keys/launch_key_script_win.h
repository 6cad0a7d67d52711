// Types the launch's key script into the running emulator, for the program's
// launches and the command-line tool's alike.
#pragma once

#include "app/launch/launch_host.h"
#include "app/launch/launch_plan.h"

namespace qm::keys {

// The number of keys not sent because another program's window was in front
// (0 also when there was no script to type).
int typeLaunchKeyScript(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                        const launch::LaunchItem& item, launch::EmulatorProcess& process);

}  // namespace qm::keys

#include "app/keys/launch_key_script_win.h"

#include "app/keys/key_sender_win.h"
#include "app/keys/launch_key_script.h"

namespace qm::keys {

int typeLaunchKeyScript(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                        const launch::LaunchItem& item, launch::EmulatorProcess& process) {
  const auto typed = launchKeyScript(place, plan, item);
  if (!typed) return 0;
  EmulatorKeySink sink(static_cast<DWORD>(process.processId()));
  runKeyScript(typed->script, typed->run, sink);
  return sink.skippedKeys();
}

}  // namespace qm::keys

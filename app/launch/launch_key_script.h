// The key script of one launch: the setting's script, whether it applies to
// the item, and the values its paste tokens take. The program and the
// command-line tool type it (keys::typeIntoEmulator); `keys-script` prints it.
#pragma once

#include <optional>
#include <string>

#include "app/keys/key_script.h"
#include "app/launch/launch_plan.h"

namespace qm::launch {

struct LaunchKeyScript {
  std::string script;
  keys::KeyScriptRun run;  // its expansion reads `plan` and `item`: use it while they live
};

enum class KeyScriptAbsence {
  Empty,    // the setting has no script
  SetsOnly, // the setting types it only for the parent of a set
};

// Nothing when no key is to be typed (`absence`, when given, says why).
std::optional<LaunchKeyScript> launchKeyScript(const LaunchPlace& place, const LaunchPlan& plan,
                                               const LaunchItem& item, KeyScriptAbsence* absence = nullptr);

}  // namespace qm::launch

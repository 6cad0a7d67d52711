// The key script of `launch`: typed into the emulator on Windows, where it
// has a window to type into; natively no key is typed (`keys-script` prints
// what would be).
#pragma once

#include <memory>
#include <string>

#include "app/launch/launch_plan.h"
#include "app/launch/run_observer.h"

namespace qm::cli {

class KeyTyping : public launch::RunObserver {
public:
  // Keys not sent because another window was in front, once the run has ended.
  virtual int skippedKeys() const = 0;
};

// Nothing natively.
std::unique_ptr<KeyTyping> makeKeyTyping(const launch::LaunchPlace& place);

// The warning for keys that were not sent; "" when every key went.
std::string skippedKeysWarning(int skipped);

}  // namespace qm::cli

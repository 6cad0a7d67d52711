#include "cli/launch_keys.h"

namespace qm::cli {

std::string skippedKeysWarning(int skipped) {
  if (skipped <= 0) return "";
  return "warning: " + std::to_string(skipped) + (skipped == 1 ? " key" : " keys") +
         " of the key script " + (skipped == 1 ? "was" : "were") + " not sent: another window was in front";
}

}  // namespace qm::cli

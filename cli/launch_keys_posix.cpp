#include "cli/launch_keys.h"

namespace qm::cli {

std::unique_ptr<KeyTyping> makeKeyTyping(const launch::LaunchPlace&) { return nullptr; }

}  // namespace qm::cli

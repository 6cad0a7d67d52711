#include "app/keys/launch_key_script_win.h"
#include "cli/launch_keys.h"

namespace qm::cli {
namespace {

class TypedKeys : public KeyTyping {
public:
  explicit TypedKeys(launch::LaunchPlace place) : place_(std::move(place)) {}
  void running(const launch::LaunchPlan& plan, const launch::LaunchItem& item,
               launch::EmulatorProcess& process) override {
    skipped_ = keys::typeLaunchKeyScript(place_, plan, item, process);
  }
  int skippedKeys() const override { return skipped_; }

private:
  launch::LaunchPlace place_;
  int skipped_ = 0;
};

}  // namespace

std::unique_ptr<KeyTyping> makeKeyTyping(const launch::LaunchPlace& place) {
  return std::make_unique<TypedKeys>(place);
}

}  // namespace qm::cli

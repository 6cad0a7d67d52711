#include "app/keys/key_sender_win.h"
#include "app/launch/launch_key_script.h"
#include "cli/launch_keys.h"

namespace qm::cli {
namespace {

class TypedKeys : public KeyTyping {
public:
  explicit TypedKeys(launch::LaunchPlace place) : place_(std::move(place)) {}
  void running(const launch::LaunchPlan& plan, const launch::LaunchItem& item,
               launch::EmulatorProcess& process) override {
    if (const auto typed = launch::launchKeyScript(place_, plan, item))
      skipped_ = keys::typeIntoEmulator(typed->script, typed->run, static_cast<DWORD>(process.processId()));
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

#include "app/launch/launch_key_script.h"

#include "app/launch/emulator_setting.h"

namespace qm::launch {

std::optional<LaunchKeyScript> launchKeyScript(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                                               const launch::LaunchItem& item, KeyScriptAbsence* absence) {
  const bool parent = launch::isSetParent(item);
  if (!keys::keyScriptApplies(plan.setting.enableTwoImagesOver, parent)) {
    if (absence) *absence = KeyScriptAbsence::SetsOnly;
    return std::nullopt;
  }
  LaunchKeyScript typed;
  typed.script = launch::readCompanion(plan.settingPath, launch::Companion::KeyScript);
  if (typed.script.empty()) {
    if (absence) *absence = KeyScriptAbsence::Empty;
    return std::nullopt;
  }
  typed.run.setParent = parent;
  // Typed keys, not a command line: values go in as they are.
  typed.run.expand = [place, &plan, &item](const std::string& token) {
    return launch::expandLaunchTemplate(token, launch::launchTemplateValues(place, plan, item));
  };
  return typed;
}

}  // namespace qm::launch

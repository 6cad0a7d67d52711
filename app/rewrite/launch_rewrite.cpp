#include "app/rewrite/launch_rewrite.h"

#include "app/rewrite/rewrite_run.h"

namespace qm::rewrite {
namespace {

RewriteSetup launchSetup(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                         const launch::LaunchItem& item, std::shared_ptr<Registry> registry) {
  RewriteSetup setup;
  setup.place = {place.root, item.machineName};
  setup.values = launch::launchTemplateValues(place, plan, item);
  setup.registry = std::move(registry);
  setup.backup = plan.setting.backupAndRestore == 1;
  return setup;
}

}  // namespace

void rewriteForLaunch(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                      const launch::LaunchItem& item, RewriteJournal& journal, platform::MessageSink& sink) {
  const std::string script = launch::readCompanion(plan.settingPath, launch::Companion::RewriteScript);
  if (script.empty()) return;
  RewriteLog log(RewriteMode::Launch, sink);
  runRewriteScript(launchSetup(place, plan, item, journal.registryShared()), script, log, &journal);
}

std::vector<RewriteReport> testDialogScript(const DialogScript& script, std::shared_ptr<Registry> registry,
                                            platform::MessageSink& sink) {
  RewriteSetup setup;
  setup.place = {script.root, script.machine};
  setup.values.databasePath = script.dbPath;
  setup.values.programFolder = script.root;
  setup.values.emulatorPath = script.exec;
  setup.values.pathsOnly = true;
  setup.registry = std::move(registry);
  RewriteLog log(RewriteMode::Test, sink);
  runRewriteScript(setup, script.script, log, nullptr);
  return log.reports();
}

std::vector<RewriteReport> testLaunchScript(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                                            const launch::LaunchItem& item, std::shared_ptr<Registry> registry,
                                            platform::MessageSink& sink) {
  RewriteLog log(RewriteMode::Test, sink);
  const std::string script = launch::readCompanion(plan.settingPath, launch::Companion::RewriteScript);
  runRewriteScript(launchSetup(place, plan, item, std::move(registry)), script, log, nullptr);
  return log.reports();
}

}  // namespace qm::rewrite

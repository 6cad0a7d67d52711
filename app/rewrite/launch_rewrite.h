// The rewriting script of an emulator setting, run for a launch, and tested
// from the settings dialog or the command line.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/launch/launch_plan.h"
#include "app/rewrite/registry.h"
#include "app/rewrite/rewrite_journal.h"
#include "app/rewrite/rewrite_log.h"
#include "common/platform/message_sink.h"

namespace qm::rewrite {

// Runs the setting's ".rew" companion, if it has one, with the setting's
// "BackupAndRestore"; the backups go into `journal`, which the launch
// restores when the emulator has ended (or when it goes).
void rewriteForLaunch(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                      const launch::LaunchItem& item, RewriteJournal& journal, platform::MessageSink& sink);

// The settings dialog's test of the script it holds: no item, so only
// "$qlm_path" and "$emu_path" are expanded; includes come from `machine`.
struct DialogScript {
  std::string root;
  std::string dbPath;
  std::string machine;
  std::string exec;
  std::string script;
};
std::vector<RewriteReport> testDialogScript(const DialogScript& script, std::shared_ptr<Registry> registry,
                                            platform::MessageSink& sink);

// The test of a planned launch's script, expanded as that launch would.
std::vector<RewriteReport> testLaunchScript(const launch::LaunchPlace& place, const launch::LaunchPlan& plan,
                                            const launch::LaunchItem& item, std::shared_ptr<Registry> registry,
                                            platform::MessageSink& sink);

}  // namespace qm::rewrite

// One launch from the chosen setting to the emulator's end: checks, image
// preparation, the programs around the emulator, the start, the wait, and
// what comes after (renames put back, counters, the extract folder emptied).
// Runs on a worker of its own; several may run at once.
#pragma once

#include <atomic>
#include <string>

#include "app/launch/alter_ego_claims.h"
#include "app/launch/launch_host.h"
#include "app/launch/launch_plan.h"
#include "app/rewrite/registry.h"
#include "app/launch/run_observer.h"

namespace qm::launch {

// Shared by every launch of the process.
struct LaunchCounters {
  std::atomic<int> running{0};    // emulators started and not yet ended
  std::atomic<int> preparing{0};  // launches extracting or copying images
  AlterEgoClaims alterEgos;       // alter-ego items in use by live launches
};

enum class LaunchOutcome {
  NoSetting,         // no setting file: ended without a word
  SettingRefused,    // the setting holds a text too long, or is in another encoding (reported)
  FolderOrProgram,   // the extract folder or the emulator is missing
  PreparationFailed, // an image could not be extracted, copied or renamed
  AlterEgoInUse,     // another live launch holds the alter ego's files (reported)
  StartFailed,       // the process could not be started
  TimedOut,          // the emulator never became ready
  Ran,
};

struct LaunchReport {
  LaunchOutcome outcome = LaunchOutcome::NoSetting;
  std::string commandLine;
  std::string folder;
  long long runMilliseconds = 0;
  bool counted = false;          // the boot was counted
  int extractFilesDeleted = -1;  // -1: the extract folder was not emptied
};

struct LaunchEnvironment {
  LaunchPlace place;
  LaunchCounters* counters = nullptr;
  LaunchHost* host = nullptr;
  platform::MessageSink* sink = nullptr;
  std::shared_ptr<rewrite::Registry> registry = nullptr;  // the rewriting script's; null for the system's
  RunObserver* observer = nullptr;  // none: no key script, no snapshots
};

// A run shorter than this is not counted as a boot.
inline constexpr long long kCountedRunMilliseconds = 5000;

LaunchReport runLaunch(const LaunchEnvironment& env, const LaunchRequest& request);

}  // namespace qm::launch

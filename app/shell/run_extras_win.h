// What runs beside each launch in the program: the key script typed into the
// emulator, automatic snapshots while it runs, and the snapshot steps after
// it (with the choice of automatic snapshots asked on the window's thread).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/launch/run_observer.h"

namespace qm::shell {

struct RunExtrasPlace {
  HWND owner = nullptr;
  std::string programFolder;
  std::string dbPath;
  std::string settingsPath;
};

std::unique_ptr<launch::RunObserver> makeRunExtras(const RunExtrasPlace& place);

// The snapshot result of the last launch that ended, taken once (0 when
// there is nothing to tell).
int takeSnapshotResult();

// The keys of key scripts that were not sent because another program's
// window was in front, since the last time they were taken.
int takeSkippedKeys();

}  // namespace qm::shell

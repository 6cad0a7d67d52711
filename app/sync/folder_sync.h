// Bringing the library up to date with a folder whose images were moved,
// renamed, changed or added: a moved image keeps its row and every side row
// under its new key, a changed file gets its CRCs again, a new file is
// registered, and an image still gone is listed (and removed when asked, as
// the removal run removes). A test run only lists what would be done.
#pragma once

#include <string>

#include "app/sync/sync_plan.h"
#include "common/run/file_probe.h"
#include "common/run/run_context.h"
#include "crclib/registration.h"

namespace qm::sync {

struct SyncRequest {
  // The folder (path), machine, and the options new files are registered with.
  reg::RegistrationRequest registration;
  std::string settingsPath;  // Quillmoor2.ini, for the smart titles of new rows
  bool testOnly = false;
  bool removeMissing = false;  // asked first
};

struct SyncResult {
  maintenance::RunStatus status = maintenance::RunStatus::NoMachine;
  SyncPlan plan;
  int added = 0;      // rows the registration stored
  int removed = 0;    // missing images removed
  bool declined = false;  // the removal was asked for and answered No
  int kept = 0;       // images not found yet not taken for gone (logged)
  int unreadable = 0;  // changed files, folders and archives that could not be read (logged)
};

SyncResult syncFolder(const maintenance::RunContext& run, const SyncRequest& request, maintenance::FileProbe& files);

}  // namespace qm::sync

// The C exports of Quillmoor2_Lib, bound by name by the main program.
#include <cstdint>

#include "common/platform/export.h"
#include "dblib/database_setup.h"
#include "dblib/schema.h"

extern "C" {

QM_EXPORT int QM_STDCALL getLibVersion(void) { return qm::dblib::kLibraryVersion; }

QM_EXPORT int QM_STDCALL MakeDBandTable(const char* dbPath, void* owner, std::int16_t* upgradeDeclined,
                                        const char* programFolder, const char* dbFileName,
                                        const char* settingsPath) {
  if (!dbPath || !programFolder || !dbFileName || !settingsPath) return -1;
  auto sink = qm::platform::makeWindowSink(owner);
  qm::dblib::SetupPaths paths{dbPath, programFolder, dbFileName, settingsPath};
  auto result = qm::dblib::makeDatabase(paths, *sink);
  if (result.outcome == qm::dblib::SetupOutcome::Declined && upgradeDeclined) *upgradeDeclined = 1;
  return qm::dblib::exportResult(result.outcome);
}

}  // extern "C"

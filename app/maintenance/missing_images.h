// Removal of images from the library: the rows whose file is missing, or every
// row of a machine. A file counts as missing only when the volume that should
// hold it is there: rows on an unplugged disk or an unreachable share are kept
// and logged as skipped. An image inside an archive ("C:\a.zip*x.d88") stays
// while the archive exists. Afterwards children whose parent went become
// singles and tmp_maxdisk is rebuilt.
#pragma once

#include <string>

#include "app/maintenance/file_probe.h"
#include "app/maintenance/run_context.h"

namespace qm::maintenance {

struct RemovalRun {
  MachineChoice machine;
  bool onlyMissing = true;  // false: every row of the machine, after a Yes
};

RunResult removeImages(const RunContext& run, const RemovalRun& what, FileProbe& files);

// The path whose presence decides: the key cut before its first "*".
std::string testedPath(const std::string& imageKey);

}  // namespace qm::maintenance

// Removal of images from the library: the rows whose file is missing, or every
// row of a machine. A file counts as missing only when the system says it (or a
// folder of its path) does not exist and the volume that should hold it is
// there at that moment: rows on an unplugged disk, an unreachable share or a
// file that cannot be read for any other reason are kept and logged as
// skipped, with the reason. An image inside an archive ("C:\a.zip*x.d88") stays
// while the archive exists. Afterwards children whose parent went become
// singles and tmp_maxdisk is rebuilt.
#pragma once

#include <string>

#include "common/run/file_probe.h"
#include "common/run/run_context.h"

namespace qm::maintenance {

struct RemovalRun {
  MachineChoice machine;
  bool onlyMissing = true;  // false: every row of the machine, after a Yes
};

RunResult removeImages(const RunContext& run, const RemovalRun& what, FileProbe& files);

// The path whose presence decides: the key cut before its first "*".
std::string testedPath(const std::string& imageKey);

}  // namespace qm::maintenance

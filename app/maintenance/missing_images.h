// Removal of images from the library: the rows whose file is missing, or every
// row of a machine. A file counts as missing only when the system says it (or a
// folder of its path) does not exist and the volume that should hold it is
// there at that moment: rows on an unplugged disk, an unreachable share or a
// file that cannot be read for any other reason are kept and logged as
// skipped, with the reason. An image inside an archive ("C:\a.zip*x.d88") stays
// while the archive exists. Afterwards children whose parent went become
// singles and tmp_maxdisk is rebuilt.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>

#include "common/db/db_connection.h"
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

// Whether an image's file is gone: missing, with the volume that should hold
// it there at that moment, since a share that drops makes its files look
// missing. A good answer for a volume is kept for a few seconds, as an
// unreachable share can take seconds to answer; a bad one is never kept.
class GoneCheck {
public:
  enum class Verdict { Present, Gone, Kept };
  explicit GoneCheck(FileProbe& files) : files_(files) {}
  // Kept: not there, yet not gone either; `reason` says why (program text).
  Verdict check(const std::string& imageKey, std::string& reason);

private:
  bool reachable(const std::string& path);
  static constexpr std::chrono::seconds kGrace{3};
  FileProbe& files_;
  std::map<std::string, std::chrono::steady_clock::time_point> lastGood_;
};

// Children whose parent row is gone stand alone again. SQLite's error text.
std::optional<std::string> freeOrphanedChildren(db::DbConnection& db);

}  // namespace qm::maintenance

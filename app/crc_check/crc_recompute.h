// Recomputation of the CRCs of every image of one machine, through
// Quillmoor2_GetCRC's exports. A row whose file, archive or drive is not
// there, or whose member the archive no longer holds, keeps its CRCs and
// counts as skipped; one whose file is there and cannot be read, or whose
// member does not unpack, keeps them and counts as failed. An archive is
// opened once per run and read front to back as a stream: each wanted member's
// window is held in memory for the CRC exports, never written to a folder. The CRC-32 an archive states stands
// for a member when only the CRC-32 of the whole member is asked for. Rows are
// committed in batches, each commit checked, so other writers wait at most
// one batch.
#pragma once

#include <cstdint>
#include <string>

#include "app/crc_check/crc_functions.h"
#include "common/run/file_probe.h"
#include "common/run/run_context.h"

namespace qm::crc_check {

struct CrcRecomputeRequest {
  std::string machine;  // program text; "" does nothing
  bool crc32 = true;
  bool crc16 = false;
  std::uint32_t offset = 0;  // the CRC window (0 and 0: the whole file)
  std::uint32_t length = 0;
};

struct CrcRecomputeResult {
  maintenance::RunStatus status = maintenance::RunStatus::NoMachine;
  int rows = 0;
  int updated = 0;
  int skipped = 0;  // kept as they were: file, archive, drive or member not there
  int failed = 0;   // bytes that could not be read (kept as they were), or a failed UPDATE (reported)
};

// Rows per batch, and the longest a batch stays open.
inline constexpr int kBatchRows = 2000;
inline constexpr int kBatchMilliseconds = 2000;

// The log lines are the "current item" texts: each row's key, then the end.
CrcRecomputeResult recomputeCrcs(const maintenance::RunContext& run, const CrcRecomputeRequest& what,
                                 CrcFunctions& crcs, maintenance::FileProbe& files);

// The member's name in an image key: everything after its first "*".
std::string memberNameOf(const std::string& key);

}  // namespace qm::crc_check

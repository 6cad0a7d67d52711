// Which images of the library a DAT file knows as good dumps: each image's
// CRC-32 and size against the DAT's ROMs, and the DAT's games none of whose
// ROMs the library holds. Reads the library, writes nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/dat/dat_file.h"
#include "common/run/machine_list.h"
#include "common/run/run_context.h"
#include "common/run/stop_flag.h"

namespace qm::datverify {

enum class ImageStatus {
  Verified,  // CRC-32 and size match a ROM, and so does the file name
  Renamed,   // CRC-32 and size match a ROM of another file name
  Unknown,   // no ROM has this CRC-32 (and a size the file has)
  NoCrc,     // the image has no CRC-32 yet
};

struct ImageVerdict {
  ImageStatus status = ImageStatus::Unknown;
  std::string key;   // the image's file_name
  std::string game;  // the DAT's name of the game matched; empty when none
};

struct VerifyReport {
  std::vector<ImageVerdict> images;  // in key order
  std::vector<std::string> missing;  // games none of whose ROMs matched, in DAT order
  int counts[4] = {};                // by ImageStatus
  std::string notice;  // what the DAT held (program text)
  bool stopped = false;
  std::string failure;  // the library could not be read (program text)
};

// The DAT of a file, or of a zip's first ".xml" or ".dat" member; the
// error (program text) when it cannot be read or is no whole DAT.
struct DatLoad {
  std::optional<dat::DatFile> dat;
  std::string error;
};
DatLoad loadDatFile(const std::string& path);

// Progress goes to the observer, a step per image.
VerifyReport verifyLibrary(const std::string& dbPath, const maintenance::MachineChoice& machine,
                           const dat::DatFile& dat, maintenance::RunObserver& observer, const StopFlag& stop);

// "verified", "renamed", "unknown", "nocrc".
const char* statusName(ImageStatus status);
// The report as lines: "status\tkey\tgame" per image, "missing\tgame" per
// game, then the summary line.
std::vector<std::string> reportLines(const VerifyReport& report);
std::string summaryLine(const VerifyReport& report);
// The lines as a text file: each ended by CR LF.
std::string reportText(const VerifyReport& report);

}  // namespace qm::datverify

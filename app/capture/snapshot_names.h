// The names a snapshot is saved under, from the item's values and the naming
// mode ("CRC32Name" of section "SnapShot"): 0 the file title, 1 the CRC32,
// 2 both, 3 the title.
#pragma once

#include <string>
#include <vector>

namespace qm::capture {

struct NameSource {
  std::string fileTitle;
  std::string crc32;
  std::string title;
};

// Each name made fit for a file name (below). A name that comes out empty is
// kept as "" so that its save reports it (result 12).
std::vector<std::string> snapshotNames(int namingMode, const NameSource& source);

// A title is free text: characters a file name cannot hold ("\ / : * ? " < >
// |" and control characters) become "_", trailing blanks and dots go, and a
// device name ("CON", "COM1", ...) gets a "_" after it. Shift-JIS trail
// bytes are never taken for "\" or "|".
std::string fileNameFromTitle(const std::string& text);

// "AutoSnap" and the counter with four digits.
std::string autoSnapName(int counter);

}  // namespace qm::capture

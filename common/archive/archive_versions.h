// The about window's lines for the archive readers, one per type in the order
// lzh, zip, rar, 7z, shaped like the lines it showed for the archiver
// libraries: the reader's name, two tabs, then its version. libarchive is
// linked in, so the "not found" line never occurs.
#pragma once

#include <string>
#include <vector>

namespace qm::archive {

// "lzh\t\tlibarchive 3.6.2" and so on.
std::vector<std::string> archiveVersionLines();

}  // namespace qm::archive

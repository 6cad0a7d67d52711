// Whether a title can name a file (the snapshot files named after a title).
#pragma once

#include <string_view>

namespace qm::records {

// Not empty, none of \ / : * ? " < > | or control characters (looked for at
// character starts only: "表" ends in the byte of "\"), not ending in "." or a
// blank, and not a device name ("CON", "com1.txt", ...).
bool usableAsFileName(std::string_view name);

}  // namespace qm::records

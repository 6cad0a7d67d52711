// Whether a name can be a folder or file name on Windows as it stands, so
// that it is never silently changed or refused by the file system later.
#pragma once

#include <string_view>

namespace qm::master {

// False for "", for \ / : * ? " < > | and control characters, for a trailing
// "." or blank, and for the device names CON PRN AUX NUL COM1-9 LPT1-9 in any
// case, alone or before an extension. The name is Shift-JIS: a trail byte
// 0x5C or 0x7C is part of its character, not a separator.
bool isFolderName(std::string_view name);

}  // namespace qm::master

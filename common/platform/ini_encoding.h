// INI files a user may have saved in another encoding. The profile functions
// read Shift-JIS: Windows takes a UTF-8 byte-order mark for the start of the
// first line (its section is lost), Wine converts what code page 932 cannot
// hold to "?", and a value written back into a UTF-8 file mixes two encodings
// in it. Such a file is reported and left as it is.
#pragma once

#include <string>

namespace qm::platform {

// Why the file cannot be read as it stands (program text, naming the file and
// the encoding found), or empty for Shift-JIS or ASCII text and for a file
// that is absent or unreadable.
std::string iniEncodingProblem(const std::string& path);

}  // namespace qm::platform

// The native stand-in for FindFirstFileA's name matching, on the UTF-8 names
// the file system holds.
#pragma once

#include <string_view>

namespace qm::platform {

// "*" matches any run of characters, "?" exactly one character (a whole UTF-8
// sequence), other bytes match ignoring ASCII case. A final ".*" may also match
// nothing, so "*.*" takes every name and "a.*" takes "a". Windows also matches
// 8.3 short names ("*.txt" finds "a.txtx"); that is not copied.
bool wildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace qm::platform

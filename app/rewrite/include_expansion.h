// "INC:name" lines of a rewriting script replaced by the files they name.
// A bare name (a valid file name, dots allowed) is a file of the machine's
// settings folder, ".inc" added when it has no dot; anything else is taken
// as a path. Included text is walked too, so includes nest.
//
// The expansion stops, with a warning, after 101 include lines or once the
// text would grow beyond kMaxExpandedBytes: a file that includes itself
// twice doubles the text at each step and would otherwise fill the memory
// long before the count is reached. A name Windows takes as a device
// ("con.inc", "\\.\...") is never opened: reading it would wait on the console
// or a port.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/rewrite/rewrite_log.h"

namespace qm::rewrite {

inline constexpr int kMaxIncludes = 101;
inline constexpr std::size_t kMaxExpandedBytes = 1 << 20;

struct IncludePlace {
  std::string root;     // the program folder
  std::string machine;  // whose settings folder holds bare names
};

// The file an include name stands for; "" for a device name.
std::string includePath(const IncludePlace& place, const std::string& name);

// The script normalised (normalizeScript) with its includes expanded; lines
// end in a line feed. Includes that cannot be read stay as they are (a test
// reports each).
std::string expandIncludes(const IncludePlace& place, std::string_view script, RewriteLog& log);

}  // namespace qm::rewrite

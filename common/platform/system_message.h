// The system's own text for an error code, as program text: FormatMessageA's
// (in the user's language, else whichever the system has, line break
// included) on Windows, strerror's natively.
#pragma once

#include <string>

namespace qm::platform {

std::string systemMessage(unsigned long code);

}  // namespace qm::platform

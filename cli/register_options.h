// The options with which register takes a folder, shared by the commands that
// register new files (register, sync).
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"
#include "crclib/registration.h"

namespace qm::cli {

// The options that take a value, --db and --machine among them.
const std::vector<std::string>& registerValuedOptions();
// The option words of the usage text, after "--machine NAME".
extern const char* const kRegisterOptionsUsage;

// The options of `args` into `request` (settings, texts, CRC window; the path
// is the caller's). False when a flag is neither a register flag nor one of
// `extraFlags`, or a number is not one the option takes.
bool readRegisterOptions(const Arguments& args, const std::vector<std::string>& extraFlags,
                         reg::RegistrationRequest& request);

}  // namespace qm::cli

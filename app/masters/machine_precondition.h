// Adding images and the emulator settings both need at least one machine:
// without one the command says where machines are made and opens nothing.
#pragma once

#include <string>

#include "common/platform/message_sink.h"

namespace qm::master {

enum class MachineNeed { AddImages, EmulatorSettings };

// True when machine_info_table has a row; otherwise the command's message
// (or the one for a count that could not be read) has been shown.
bool haveMachine(const std::string& dbPath, MachineNeed need, platform::MessageSink& sink);

}  // namespace qm::master

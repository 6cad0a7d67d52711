// The start-up step that makes the library database ready: Quillmoor2_Lib is
// loaded by path from the program folder, checked, asked to create or upgrade
// the database, and released again.
#pragma once

#include <string>

#include "common/platform/message_sink.h"

namespace qm::shell {

struct DatabaseStartup {
  std::string programFolder;
  std::string dbPath;
  std::string settingsPath;
  bool upgradeDeclined = false;
};

inline constexpr int kRequiredLibVersion = 100008;

// False when the library is missing or too old, or the database could not be
// made ready (each reported through `sink`).
bool prepareDatabase(DatabaseStartup& startup, void* ownerWindow, platform::MessageSink& sink);

}  // namespace qm::shell

// Quillmoor2_GetCRC bound by path from the program folder for one
// registration run: loaded when the progress window is made, freed when it
// goes. The library must report version 3 or later.
#pragma once

#include <string>

#include "common/platform/shared_library.h"
#include "crclib/registration_exports.h"

namespace qm::registration {

enum class Binding {
  Bound,
  NotLoaded,     // no library, or it would not load
  MissingEntry,  // an export is not there
  TooOld,        // getLibVersionCRC reported less than reg::kLibVersionCrc
};

struct RegistrationExports {
  reg::SetGValCrcExport setGValCRC = nullptr;
  reg::DirAddImgExport dirAddImg = nullptr;
  reg::GetDirAddThreadEscExport getDirAddThreadESC = nullptr;
  reg::SetDirAddThreadEscExport setDirAddThreadESC = nullptr;
  reg::GetLibVersionCrcExport getLibVersionCRC = nullptr;
};

class RegistrationLibrary {
public:
  // Loads and binds; on failure the library is freed again.
  Binding bind(const std::string& programFolder);
  const RegistrationExports& exports() const { return exports_; }
  // The cancel button's request: a running flag (0) becomes 1, which makes the
  // worker ask the user. A 2 (an error's stop under way) is left as it is.
  void requestStop() const;
  // The system's reason, or the missing export's name.
  const std::string& reason() const { return reason_; }
  void release();

private:
  platform::SharedLibrary library_;
  RegistrationExports exports_;
  std::string reason_;
};

// The message for a failed binding (program text).
std::string bindingMessage(Binding binding, const std::string& reason);

}  // namespace qm::registration

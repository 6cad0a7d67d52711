#include "app/registration/registration_library.h"

#include "common/platform/files.h"
#include "common/run/stop_flag.h"
#include "common/text/encoding.h"

namespace qm::registration {

Binding RegistrationLibrary::bind(const std::string& programFolder) {
  release();
  library_ = platform::SharedLibrary(
      platform::joinPath(programFolder, platform::sharedLibraryFileName("Quillmoor2_GetCRC")));
  if (!library_.loaded()) {
    reason_ = library_.error();
    return Binding::NotLoaded;
  }
  RegistrationExports found;
  // The version first: an old library may lack newer entries, and "too old"
  // is the message that helps.
  found.getLibVersionCRC = library_.function<reg::GetLibVersionCrcExport>("getLibVersionCRC");
  if (found.getLibVersionCRC && found.getLibVersionCRC() < reg::kLibVersionCrc) {
    release();
    return Binding::TooOld;
  }
  found.setGValCRC = library_.function<reg::SetGValCrcExport>("setGValCRC");
  found.dirAddImg = library_.function<reg::DirAddImgExport>("dirAddImg");
  found.getDirAddThreadESC = library_.function<reg::GetDirAddThreadEscExport>("getDirAddThreadESC");
  found.setDirAddThreadESC = library_.function<reg::SetDirAddThreadEscExport>("setDirAddThreadESC");
  const std::pair<const void*, const char*> entries[] = {
      {reinterpret_cast<const void*>(found.getLibVersionCRC), "getLibVersionCRC"},
      {reinterpret_cast<const void*>(found.setGValCRC), "setGValCRC"},
      {reinterpret_cast<const void*>(found.dirAddImg), "dirAddImg"},
      {reinterpret_cast<const void*>(found.getDirAddThreadESC), "getDirAddThreadESC"},
      {reinterpret_cast<const void*>(found.setDirAddThreadESC), "setDirAddThreadESC"},
  };
  for (const auto& [entry, name] : entries) {
    if (entry) continue;
    release();
    reason_ = name;
    return Binding::MissingEntry;
  }
  exports_ = found;
  return Binding::Bound;
}

void RegistrationLibrary::requestStop() const {
  if (exports_.getDirAddThreadESC && exports_.getDirAddThreadESC() == stop::kRunning)
    exports_.setDirAddThreadESC(stop::kAsked);
}

void RegistrationLibrary::release() {
  exports_ = {};
  reason_.clear();
  library_ = platform::SharedLibrary();
}

std::string bindingMessage(Binding binding, const std::string& reason) {
  switch (binding) {
    case Binding::Bound:
      return {};
    case Binding::TooOld:
      return text::sjis("Quillmoor2_GetCRC.DLLが古いようです");
    case Binding::NotLoaded:
      return text::sjis("Quillmoor2_GetCRC.DLLを読み込めませんでした。\n") + reason;
    case Binding::MissingEntry:
      return text::sjis("Quillmoor2_GetCRC.DLLに必要な関数がありません。\n") + reason;
  }
  return {};
}

}  // namespace qm::registration

// The registration exports of Quillmoor2_GetCRC. Nothing may leave them as an
// exception.
#include <array>
#include <memory>
#include <string>

#include "common/platform/files.h"
#include "crclib/registration.h"
#include "crclib/registration_exports.h"
#include "crclib/registration_worker.h"
#include "crclib/window_host.h"

namespace {

using namespace qm::reg;

StopFlag& stopFlag() {
  static StopFlag flag{0};
  return flag;
}

// Copies, not the caller's pointers: the texts need only live for the call.
LibraryPaths& libraryPaths() {
  static LibraryPaths paths;
  return paths;
}

std::string textOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

extern "C" {

QM_EXPORT int QM_STDCALL setGValCRC(const char* dbPath, const char* settingsPath, const char* programFolder,
                                    const char* /*systemFolder*/, std::int16_t /*dllSafeLoad*/, void* /*font*/) {
  try {
    joinWorker();
    libraryPaths() = {textOrEmpty(dbPath), textOrEmpty(settingsPath), textOrEmpty(programFolder)};
  } catch (...) {
  }
  return 0;
}

QM_EXPORT int QM_STDCALL getLibVersionCRC() { return kLibVersionCrc; }

QM_EXPORT std::int16_t QM_STDCALL getDirAddThreadESC() { return static_cast<std::int16_t>(stopFlag().load()); }

QM_EXPORT void QM_STDCALL setDirAddThreadESC(std::int16_t value) { stopFlag() = static_cast<std::uint16_t>(value); }

QM_EXPORT int QM_STDCALL dirAddImg(void* owner, void* statusText, void* itemText, void* marker, void* button,
                                   void* progressBar, const std::int32_t* options, const char* const* texts,
                                   const std::uint32_t* crcWindow) {
  try {
    // Everything is copied before the call returns: the caller frees its texts.
    auto request = std::make_shared<RegistrationRequest>();
    request->settings = settingsFromOptions(options);
    std::array<std::string*, kTextCount> fields{&request->path,  &request->machine,  &request->media,
                                                &request->genre, &request->saleYear, &request->countries};
    for (int i = 0; i < kTextCount; ++i) *fields[i] = texts ? textOrEmpty(texts[i]) : "";
    if (crcWindow) request->window = {crcWindow[0], crcWindow[1]};
    const ProgressWindows windows{owner, statusText, itemText, marker, button, progressBar};
    joinWorker();
    const LibraryPaths paths = libraryPaths();
    stopFlag() = qm::stop::kRunning;
    const std::string logPath = qm::platform::joinPath(paths.programFolder, kRegistrationLogName);
    const bool started = startWorker([request, windows, paths, logPath] {
      const auto host = makeWindowHost(windows, stopFlag(), logPath);
      runRegistration(paths, *request, *host, stopFlag());
    });
    if (!started) {
      const auto host = makeWindowHost(windows, stopFlag(), logPath);
      host->ended();
    }
  } catch (...) {
  }
  return 0;
}

}  // extern "C"

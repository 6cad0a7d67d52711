#include "app/library/database_startup.h"

#include <cstdint>

#include "common/platform/export.h"
#include "common/platform/files.h"
#include "common/platform/shared_library.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using GetLibVersion = int(QM_STDCALL*)(void);
using MakeDBandTable = int(QM_STDCALL*)(const char*, void*, std::int16_t*, const char*, const char*, const char*);

constexpr const char* kDbFileName = "Quillmoor.db";

void reportMissing(platform::MessageSink& sink, const std::string& what, const std::string& detail) {
  sink.show(text::sjis("データベース作成ライブラリを読み込めませんでした。\n") + what + "\n" + detail,
            text::sjis("起動エラー"), platform::MessageIcon::Error, platform::MessageButtons::Ok);
}

}  // namespace

bool prepareDatabase(DatabaseStartup& startup, void* ownerWindow, platform::MessageSink& sink) {
  startup.dbPath = platform::joinPath(startup.programFolder, kDbFileName);
  const std::string libraryPath = platform::joinPath(startup.programFolder, "Quillmoor2_Lib.DLL");
  platform::SharedLibrary library(libraryPath);
  if (!library.loaded()) {
    reportMissing(sink, libraryPath, library.error());
    return false;
  }
  auto version = library.function<GetLibVersion>("getLibVersion");
  auto make = library.function<MakeDBandTable>("MakeDBandTable");
  if (!version || !make) {
    reportMissing(sink, libraryPath, "getLibVersion / MakeDBandTable");
    return false;
  }
  if (version() < kRequiredLibVersion) {
    sink.show(text::sjis("Quillmoor2_Lib.DLLが古いようです"), "", platform::MessageIcon::None,
              platform::MessageButtons::Ok);
    return false;
  }
  std::int16_t declined = 0;
  int result = make(startup.dbPath.c_str(), ownerWindow, &declined, startup.programFolder.c_str(), kDbFileName,
                    startup.settingsPath.c_str());
  startup.upgradeDeclined = declined != 0;
  return result == 0;
}

}  // namespace qm::shell

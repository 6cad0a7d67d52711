// "リネームデータを拝借してライブラリ更新": the machine, the list file, the
// plug-in, the key and the items to fill, with a run and a test run on a
// worker thread.
#pragma once

#include <windows.h>

#include <string>

namespace qm::renamedata {

struct RenameDataPlace {
  HWND owner = nullptr;
  std::string dbPath;
  std::string settingsPath;
  std::string programFolder;
};

// True when a run wrote to the library: the caller fills its list again.
bool openRenameDataDialog(const RenameDataPlace& place);

}  // namespace qm::renamedata

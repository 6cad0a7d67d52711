// The image-file backup dialog: copies the files of the selected items into a
// folder with the shell's own copy, showing the target drive's space.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/maintenance/multi_image.h"

namespace qm::moves {

struct BackupHost {
  HWND owner = nullptr;
  std::string dbPath;
  std::string programFolder;
  std::string settingsPath;
  std::vector<maintenance::SetItem> selected;  // in list order
};

// Modal; returns when the dialog has closed and its space thread has ended.
void openImageBackupDialog(const BackupHost& host);

}  // namespace qm::moves

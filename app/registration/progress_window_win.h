// The progress window "イメージの検索と追加": binds Quillmoor2_GetCRC, starts
// one registration run with the dialog's choices and shows it until the user
// closes it after the end. Modal over the add dialog.
#pragma once

#include <windows.h>

#include <string>

#include "app/registration/add_image_request.h"

namespace qm::registration {

struct RunPlace {
  HWND mainWindow = nullptr;
  std::string dbPath;
  std::string settingsPath;
  std::string programFolder;
};

// Returns when the window has closed.
void runProgressWindow(HWND owner, const RunPlace& place, const AddImageChoices& choices);

}  // namespace qm::registration

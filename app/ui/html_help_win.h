// HTML Help, bound at run time: "hhctrl.ocx" is loaded from the system
// folder (or by its bare name when safe DLL loading is off) and initialised
// while the main window is created. A system without it starts all the same;
// showing help then reports false and the caller opens the file otherwise.
#pragma once

#include <windows.h>

#include <string>

#include "common/platform/shared_library.h"

namespace qm::ui {

class HtmlHelp {
public:
  // Loads and initialises the viewer; false when it is not there.
  bool start(bool safeLoad);
  // Shows the help file `chm` (program text) owned by `owner`.
  bool show(HWND owner, const std::string& chm) const;
  // Closes its windows and uninitialises it (before the main window goes).
  void stop();

private:
  using Function = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  platform::SharedLibrary library_;
  Function function_ = nullptr;
  DWORD_PTR cookie_ = 0;
};

// The program's one viewer.
HtmlHelp& htmlHelp();

// Opens page `page` ("" for the first) of Quillmoor2.chm in `programFolder`
// with the viewer, or with the file's own program when there is no viewer;
// a missing file is reported in a box.
void openHelp(HWND owner, const std::string& programFolder, const std::string& page);

}  // namespace qm::ui

// Quillmoor2.exe: one instance per user unless "-multiboot" is given, started
// with its own folder as the current directory.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <clocale>
#include <cstring>

#include "app/shell/main_window_win.h"
#include "common/platform/files.h"

namespace {

// The options count wherever they occur in the command line, as a plain
// substring test.
bool hasOption(const char* option) { return std::strstr(GetCommandLineA(), option) != nullptr; }

struct ComSession {
  ComSession() { CoInitialize(nullptr); }
  ~ComSession() { CoUninitialize(); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::setlocale(LC_ALL, "");
  INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
  InitCommonControlsEx(&controls);
  SetDllDirectoryW(L"");
  if (!hasOption("-multiboot")) {
    // Created, never owned, never released: it lives as long as the process.
    CreateMutexA(nullptr, FALSE, "Quillmoor2-mutexcheck");
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  }
  ComSession com;
  qm::shell::AppContext app;
  app.instance = instance;
  app.programFolder = qm::platform::currentFolder();
  app.settingsPath = qm::platform::joinPath(app.programFolder, "Quillmoor2.ini");
  app.rebuildMaster = hasOption("-rebuildmaster");

  qm::shell::MainWindow::registerClasses(instance);
  qm::shell::MainWindow window(app);
  if (!window.create()) return 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

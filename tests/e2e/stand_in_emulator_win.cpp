// qm-stand-in-emu.exe (a window with a message loop) and
// qm-stand-in-console.exe (no window, no message loop): emulators for the
// launch's end-to-end checks. Each run appends to <program>.log:
//   start PID / cmd COMMAND LINE / cwd FOLDER / arg N TEXT / sees PATH (an
//   argument that names an existing file) / end PID
// and ends after "-seconds N" (default 3), when <program>.stop appears, or
// when its window is closed. The window's title is "StandIn " and the file
// name of the last argument, for end detection by title.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string programPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

void logLine(const std::string& line) {
  if (FILE* log = std::fopen((programPath() + ".log").c_str(), "ab")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

bool stopAsked() { return GetFileAttributesA((programPath() + ".stop").c_str()) != INVALID_FILE_ATTRIBUTES; }

DWORD secondsToRun = 3;
DWORD startedAt = 0;

bool timeIsUp() { return GetTickCount() - startedAt >= secondsToRun * 1000 || stopAsked(); }

std::string recordStart() {
  const std::string pid = std::to_string(GetCurrentProcessId());
  logLine("start " + pid);
  logLine(std::string("cmd ") + GetCommandLineA());
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  logLine(std::string("cwd ") + folder);
  std::string last;
  for (int i = 1; i < __argc; ++i) {
    const std::string arg = __argv[i];
    if (arg == "-seconds" && i + 1 < __argc) secondsToRun = std::strtoul(__argv[i + 1], nullptr, 10);
    logLine("arg " + std::to_string(i) + " " + arg);
    const DWORD attributes = GetFileAttributesA(arg.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) logLine("sees " + arg);
    last = arg.substr(arg.find_last_of("\\/") + 1);
  }
  startedAt = GetTickCount();
  return last;
}

#ifndef QM_STAND_IN_CONSOLE
LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && timeIsUp()) DestroyWindow(hwnd);
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
#endif

}  // namespace

#ifdef QM_STAND_IN_CONSOLE
int main() {
  recordStart();
  while (!timeIsUp()) Sleep(100);
  logLine("end " + std::to_string(GetCurrentProcessId()));
  return 0;
}
#else
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  const std::string last = recordStart();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "QmStandInEmulator";
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("QmStandInEmulator", ("StandIn " + last).c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 320,
                              120, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  SetTimer(window, 1, 100, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  logLine("end " + std::to_string(GetCurrentProcessId()));
  return 0;
}
#endif

// qm-stand-in-emu.exe (a window with a message loop) and
// qm-stand-in-console.exe (no window, no message loop): emulators for the
// launch's end-to-end checks. Each run appends to <program>.log:
//   start PID / cmd COMMAND LINE / cwd FOLDER / arg N TEXT / sees PATH (an
//   argument that names an existing file) / end PID
// and ends after "-seconds N" (default 3), when <program>.stop appears, or
// when its window is closed. The window's title is "StandIn " and the file
// name of the last argument, for end detection by title.
// The window also logs the keys it receives ("key down VK SCAN", "key up VK
// SCAN") and the clipboard text a Ctrl+V brings ("paste TEXT"); with
// "-clip WIDTHxHEIGHT" it puts a picture of that size on the clipboard three
// seconds after its start ("-clip-at MS": that many milliseconds), together
// with a mark of a registered format; when its window goes it logs what the
// clipboard holds then ("holds dib WxH", "holds mark TEXT", "holds text TEXT").
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
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
int clipWidth = 0, clipHeight = 0;
DWORD clipAt = 3000;
constexpr char kMark[] = "stand-in mark";

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
    if (arg == "-clip" && i + 1 < __argc) std::sscanf(__argv[i + 1], "%dx%d", &clipWidth, &clipHeight);
    if (arg == "-clip-at" && i + 1 < __argc) clipAt = std::strtoul(__argv[i + 1], nullptr, 10);
    logLine("arg " + std::to_string(i) + " " + arg);
    const DWORD attributes = GetFileAttributesA(arg.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) logLine("sees " + arg);
    last = arg.substr(arg.find_last_of("\\/") + 1);
  }
  startedAt = GetTickCount();
  return last;
}

#ifndef QM_STAND_IN_CONSOLE
void logKey(const char* what, WPARAM vk, LPARAM lParam) {
  logLine(std::string("key ") + what + " " + std::to_string(vk) + " " + std::to_string((lParam >> 16) & 0xFF));
}

void logPaste(HWND hwnd) {
  if (!OpenClipboard(hwnd)) return logLine("paste (clipboard busy)");
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  logLine(std::string("paste ") + (text ? text : ""));
  if (text) GlobalUnlock(data);
  CloseClipboard();
}

// A 24-bit picture: red rising to the right, green downwards.
void putPicture(HWND hwnd) {
  const DWORD stride = (clipWidth * 3 + 3) & ~3u;
  const SIZE_T size = sizeof(BITMAPINFOHEADER) + stride * clipHeight;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(memory));
  header->biSize = sizeof *header;
  header->biWidth = clipWidth;
  header->biHeight = clipHeight;
  header->biPlanes = 1;
  header->biBitCount = 24;
  header->biCompression = BI_RGB;
  auto* pixels = reinterpret_cast<unsigned char*>(header + 1);
  for (int y = 0; y < clipHeight; ++y)
    for (int x = 0; x < clipWidth; ++x) {
      unsigned char* p = pixels + y * stride + x * 3;
      p[2] = static_cast<unsigned char>(x * 255 / clipWidth);
      p[1] = static_cast<unsigned char>(y * 255 / clipHeight);
    }
  GlobalUnlock(memory);
  HGLOBAL mark = GlobalAlloc(GMEM_MOVEABLE, sizeof kMark);
  std::memcpy(GlobalLock(mark), kMark, sizeof kMark);
  GlobalUnlock(mark);
  if (OpenClipboard(hwnd)) {
    EmptyClipboard();
    SetClipboardData(CF_DIB, memory);
    SetClipboardData(RegisterClipboardFormatA("QmStandInMark"), mark);
    CloseClipboard();
    logLine("clip " + std::to_string(clipWidth) + "x" + std::to_string(clipHeight));
  }
}

void logClipboard(HWND hwnd) {
  if (!OpenClipboard(hwnd)) return logLine("holds (clipboard busy)");
  if (HANDLE dib = GetClipboardData(CF_DIB)) {
    if (const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib))) {
      logLine("holds dib " + std::to_string(header->biWidth) + "x" + std::to_string(header->biHeight));
      GlobalUnlock(dib);
    }
  }
  for (const auto& [format, name] : {std::pair<UINT, const char*>{RegisterClipboardFormatA("QmStandInMark"), "mark"},
                                     std::pair<UINT, const char*>{CF_TEXT, "text"}}) {
    HANDLE data = GetClipboardData(format);
    if (const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
      logLine(std::string("holds ") + name + " " + text);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    logKey("down", wParam, lParam);
    if (wParam == 'V' && GetKeyState(VK_CONTROL) < 0) logPaste(hwnd);
  }
  if (message == WM_KEYUP || message == WM_SYSKEYUP) logKey("up", wParam, lParam);
  if (message == WM_TIMER && clipWidth > 0 && GetTickCount() - startedAt >= clipAt) {
    putPicture(hwnd);
    clipWidth = 0;
  }
  if (message == WM_TIMER && timeIsUp()) DestroyWindow(hwnd);
  if (message == WM_DESTROY) {
    logClipboard(hwnd);
    PostQuitMessage(0);
  }
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
  SetForegroundWindow(window);
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

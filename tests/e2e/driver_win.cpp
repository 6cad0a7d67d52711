// qm-driver.exe: drives the real Quillmoor2.exe from end-to-end test scripts
// under Wine. One action per call; results on standard output, one line each.
//
//   launch DIR [ARGS]         start Quillmoor2.exe in DIR, print its process id
//   wait-exit PID SECONDS     wait for the process, print its exit code
//   find-main SECONDS         wait for the main window, print its size and state
//   close-main SECONDS        close the main window and wait until it is gone
//   answer-box ok|cancel SECONDS   print a message box's caption and text, press a button
//   count-items               rows of the item list
//   click-header COLUMN       click a header of the item list
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kItemListId = 1001;

HWND findMain() { return FindWindowA("NORMAL0", "Quillmoor2"); }

template <typename F>
bool poll(double seconds, F done) {
  for (int waited = 0; waited < seconds * 1000; waited += 100) {
    if (done()) return true;
    Sleep(100);
  }
  return done();
}

int launch(int argc, char** argv) {
  std::string folder = argv[2];
  std::string command = "\"" + folder + "\\Quillmoor2.exe\"";
  for (int i = 3; i < argc; ++i) command += std::string(" ") + argv[i];
  // No standard handles: the program must not hold our caller's pipe open.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, folder.c_str(), &startup,
                      &process)) {
    std::printf("error %lu\n", GetLastError());
    return 1;
  }
  std::printf("%lu\n", process.dwProcessId);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

int waitExit(char** argv) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, std::strtoul(argv[2], nullptr, 10));
  if (!process) {
    std::printf("gone\n");
    return 0;
  }
  DWORD code = 0;
  bool ended = WaitForSingleObject(process, static_cast<DWORD>(std::atof(argv[3]) * 1000)) == WAIT_OBJECT_0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  if (!ended) {
    std::printf("running\n");
    return 1;
  }
  std::printf("%lu\n", code);
  return 0;
}

int findMainWindow(char** argv) {
  HWND main = nullptr;
  if (!poll(std::atof(argv[2]), [&] { return (main = findMain()) && IsWindowVisible(main); })) {
    std::printf("none\n");
    return 1;
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(main, &placement);
  const RECT& r = placement.rcNormalPosition;
  std::printf("%ldx%ld maximized=%d\n", r.right - r.left, r.bottom - r.top, IsZoomed(main) ? 1 : 0);
  return 0;
}

int closeMain(char** argv) {
  HWND main = findMain();
  if (!main) {
    std::printf("none\n");
    return 1;
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  bool gone = poll(std::atof(argv[2]), [] { return findMain() == nullptr; });
  std::printf(gone ? "closed\n" : "still open\n");
  return gone ? 0 : 1;
}

int answerBox(char** argv) {
  HWND box = nullptr;
  if (!poll(std::atof(argv[3]), [&] { return (box = FindWindowA("#32770", nullptr)) != nullptr; })) {
    std::printf("none\n");
    return 1;
  }
  char caption[256] = "";
  char text[2048] = "";
  GetWindowTextA(box, caption, sizeof caption);
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  std::printf("[%s] %s\n", caption, text);
  int button = std::string(argv[2]) == "cancel" ? IDCANCEL : IDOK;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  return 0;
}

int countItems() {
  HWND list = GetDlgItem(findMain(), kItemListId);
  std::printf("%ld\n", static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  return list ? 0 : 1;
}

// A real click at the middle of the header item: column widths are plain
// numbers across processes, where rectangles would need shared memory.
int clickHeader(char** argv) {
  HWND list = GetDlgItem(findMain(), kItemListId);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int column = std::atoi(argv[2]);
  int x = 0;
  for (int i = 0; i < column; ++i) x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
  x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2;
  PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
  PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  Sleep(500);
  std::printf("clicked %d\n", column);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string action = argv[1];
  if (action == "launch" && argc >= 3) return launch(argc, argv);
  if (action == "wait-exit" && argc == 4) return waitExit(argv);
  if (action == "find-main" && argc == 3) return findMainWindow(argv);
  if (action == "close-main" && argc == 3) return closeMain(argv);
  if (action == "answer-box" && argc == 4) return answerBox(argv);
  if (action == "count-items") return countItems();
  if (action == "click-header" && argc == 3) return clickHeader(argv);
  std::fprintf(stderr, "qm-driver: bad arguments\n");
  return 2;
}

// qm-driver.exe: drives the real Quillmoor2.exe from end-to-end test scripts
// under Wine. One action per call; results on standard output, one line each.
//
//   launch DIR [ARGS]         start Quillmoor2.exe in DIR, print its process id
//   time-start DIR ITEMS SECONDS  start Quillmoor2.exe in DIR, print the ms from its start until
//                             the list holds ITEMS items (filled) and until its busy mode ended (ready)
//   wait-exit PID SECONDS     wait for the process, print its exit code
//   find-main SECONDS         wait for the main window, print its size and state
//   find-main SECONDS painted the same once its first paint has finished (start-up done)
//   close-main SECONDS        close the main window and wait until it is gone
//   answer-box ok|cancel|yes|no SECONDS   print a message box's caption and text, press a button
//   count-items               rows of the item list
//   click-header COLUMN       click a header of the item list
//   time-header COLUMN        click a header, print how long the sort took (ms)
//   time-group INDEX          select a group pane item, print how long the list took (ms)
//   memory                    the program's working set and peak working set (KiB)
//   command ID                post a menu command to the main window
//   dialog SECONDS            wait for the program's active dialog, print its title
//   set-text ID TEXT          set the text of a control of the active dialog
//   get-text ID               print the text of a control of the active dialog
//   press ID                  press a push button of the active dialog
//   click ID                  click a check box or radio button of the active dialog
//   click-at ID X Y           click a control of the active dialog at a point (a tab, say)
//                             (no dialog open: a pane of the main window, 1005 the group tabs)
//   select-row ID ROW         select a row of a list view of the active dialog
//   select-combo ID INDEX     select an entry of a drop-down list of the active dialog
//   list-lines ID             print every line of a list box of the active dialog
//   wait-enabled ID SECONDS   wait until a control of the active dialog is enabled
//   close-dialog SECONDS      close the active dialog and wait until it is gone
//   keys KEY...               type keys as real input: "e", "tab", "return", "down", "ctrl+a", "shift+ctrl+e"
//   post-key KEY              post a key-down and key-up for KEY to the program's focused control
//   focus                     print the class and identifier of the program's focused control
//   selected-count            selected rows of the item list
//   focused-row               the item list's focused row (-1 none)
//   popup ID                  right-click a control of the main window, wait for its popup ("shown"); "keys escape" closes it
//   wheel ID                  turn the mouse wheel over the middle of a control of the main window
//   menu-dump [opened]        print the main window's menu bar tree: label, identifier, state
//                             (QM_MENU_DUMP names the file the program writes it to); with
//                             "opened", each popup is first refreshed as when it opens
//   context-menu ID [Y]       open the context menu of a pane of the main window (1000 query view,
//                             1001 item list) at Y pixels from its top (default 40; 5 is the list's header)
//   select-row 1001 ROW|none  (no dialog open) select a row of the main item list, or clear the selection
//   drag-row FROM TO          drag row FROM of the main item list onto row TO with the mouse
//   search-mode INDEX         choose entry INDEX of the search bar's mode list
//   search-text               print the search bar's text and its history entries ("|" before each)
//   clear-search              empty the search bar's text box
//   tree-count                items of the main window's query tree
//   time-search MODE TEXT     search for TEXT in mode MODE of the search bar, print how long it took
//                             from Enter in the text box to the repainted list (ms)
//   mouse-click ID X Y [right]  a real mouse click at a point of a pane of the main window
//   status PART               print a part of the main window's status bar
//   keys also knows enter, back, space, up, down and ctrl
//   list-place                the item list's first visible row, focused row, rows per page and count
//   group-place               the group pane's tab (kind), selected item, first visible item and count
//   pane-rect ID              a pane's rectangle in the main window's client area: left top right bottom
//   drag-main X1 Y1 X2 Y2     drag with the mouse between two points of the main window's client area
//   double-click-main X Y     double-click a point of the main window's client area
//   double-click-row ROW      double-click row ROW of the main item list
//   header-count              columns the item list's header shows
//   close-main-keys SECONDS   close the main window, print the key-up events it sends on the way out
//   window CLASS SECONDS      wait for a visible top-level window of the class, print its client
//                             size and title ("none" when there is none)
//   tool-click ID             click the tool bar button of command ID with the mouse
//   tool-image ID             the image index the tool bar button of command ID shows
//   stray-command ID          post WM_COMMAND ID as the item list's notification (no command)
//   wait-focus ID SECONDS     wait until the control ID of the main window has the focus, print
//                             its screen rectangle (left top right bottom) or "none"
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kItemListId = 1001;
constexpr int kGroupListId = 1003;
constexpr int kGroupTabsId = 1005;

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

double millisecondsSince(LARGE_INTEGER start);
bool firstPaintDone(HWND main);

// Polls every 10 ms, finer than poll(): the figures are start-up times.
int timeStart(char** argv) {
  const std::string folder = argv[2];
  const long items = std::atol(argv[3]);
  const double seconds = std::atof(argv[4]);
  std::string command = "\"" + folder + "\\Quillmoor2.exe\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, folder.c_str(),
                      &startup, &process)) {
    std::printf("error %lu\n", GetLastError());
    return 1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  double filled = -1;
  while (millisecondsSince(start) < seconds * 1000) {
    HWND main = findMain();
    HWND list = main ? GetDlgItem(main, kItemListId) : nullptr;
    HWND status = main ? FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr) : nullptr;
    // Status-bar part 4 is written once the first fill is over.
    if (filled < 0 && list && status && LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 4, 0)) > 0 &&
        SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == items)
      filled = millisecondsSince(start);
    if (filled >= 0 && firstPaintDone(main)) {
      std::printf("filled_ms=%.0f ready_ms=%.0f\n", filled, millisecondsSince(start));
      return 0;
    }
    Sleep(10);
  }
  std::printf("none\n");
  return 1;
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

// The first paint ends by writing status-bar part 4 and enabling the window
// again after busy mode; until then the window may still change its state.
bool firstPaintDone(HWND main) {
  HWND status = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
  return status && IsWindowEnabled(main) && LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 4, 0)) > 0;
}

int findMainWindow(int argc, char** argv) {
  HWND main = nullptr;
  const bool painted = argc == 4 && std::string(argv[3]) == "painted";
  if (!poll(std::atof(argv[2]),
            [&] { return (main = findMain()) && IsWindowVisible(main) && (!painted || firstPaintDone(main)); })) {
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
  // A box is found before it has its caption and text; it shows once it has them.
  if (!poll(std::atof(argv[3]), [&] { return (box = FindWindowA("#32770", nullptr)) && IsWindowVisible(box); })) {
    std::printf("none\n");
    return 1;
  }
  char caption[256] = "";
  char text[2048] = "";
  GetWindowTextA(box, caption, sizeof caption);
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  std::printf("[%s] %s\n", caption, text);
  const std::string answer = argv[2];
  int button = answer == "cancel" ? IDCANCEL : answer == "yes" ? IDYES : answer == "no" ? IDNO : IDOK;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  return 0;
}

int countItems() {
  HWND list = GetDlgItem(findMain(), kItemListId);
  std::printf("%ld\n", static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  return list ? 0 : 1;
}

// The middle of a header item: column widths are plain numbers across
// processes, where rectangles would need shared memory.
int headerX(HWND list, int column) {
  int x = 0;
  for (int i = 0; i < column; ++i) x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
  return x + static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2;
}

int clickHeader(char** argv) {
  HWND list = GetDlgItem(findMain(), kItemListId);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int column = std::atoi(argv[2]);
  int x = headerX(list, column);
  PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
  PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  Sleep(500);
  std::printf("clicked %d\n", column);
  return 0;
}

double millisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The list's repaint after a sort or a group change, which a user waits for
// as well: the invalidated rows are drawn before RedrawWindow returns.
void repaintList(HWND list) { RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// Sent, not posted: the button-up makes the header notify the list, the list
// its parent (LVN_COLUMNCLICK), and the sort runs before the send returns.
int timeHeader(char** argv) {
  HWND list = GetDlgItem(findMain(), kItemListId);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  if (!header) {
    std::printf("none\n");
    return 1;
  }
  int x = headerX(list, std::atoi(argv[2]));
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
  SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  repaintList(list);
  std::printf("%.1f\n", millisecondsSince(start));
  return 0;
}

// The selection is set first (no notification), then the LBN_SELCHANGE a
// click would send: the main window runs the group's list before it returns.
int timeGroup(char** argv) {
  HWND main = findMain();
  HWND groups = GetDlgItem(main, kGroupListId);
  HWND list = GetDlgItem(main, kItemListId);
  int index = std::atoi(argv[2]);
  if (!groups || SendMessageA(groups, LB_SETCURSEL, index, 0) == LB_ERR) {
    std::printf("none\n");
    return 1;
  }
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(kGroupListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(groups));
  repaintList(list);
  std::printf("%.1f\n", millisecondsSince(start));
  return 0;
}

int memory() {
  DWORD id = 0;
  GetWindowThreadProcessId(findMain(), &id);
  HANDLE process = id ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id) : nullptr;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  bool ok = process && GetProcessMemoryInfo(process, &counters, sizeof counters);
  if (process) CloseHandle(process);
  if (!ok) {
    std::printf("none\n");
    return 1;
  }
  std::printf("working_set_kb=%llu peak_working_set_kb=%llu\n",
              static_cast<unsigned long long>(counters.WorkingSetSize / 1024),
              static_cast<unsigned long long>(counters.PeakWorkingSetSize / 1024));
  return 0;
}

int postCommand(char** argv) {
  HWND main = findMain();
  if (!main) {
    std::printf("none\n");
    return 1;
  }
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), 0), 0);
  std::printf("posted %s\n", argv[2]);
  return 0;
}

// The window that takes input now: a visible, enabled top-level dialog of the
// program (its own dialogs are "NORMALDLG", message boxes "#32770"). A dialog
// under a modal one is disabled, so there is one at a time.
HWND activeDialog() {
  struct Search {
    DWORD process = 0;
    HWND found = nullptr;
  } search;
  GetWindowThreadProcessId(findMain(), &search.process);
  if (!search.process) return nullptr;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char cls[32] = "";
        GetClassNameA(window, cls, sizeof cls);
        if (process != s->process || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
        if (std::string(cls) != "NORMALDLG" && std::string(cls) != "#32770") return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits a little: the dialog may still be opening or closing.
HWND dialogItem(const char* id) {
  HWND control = nullptr;
  poll(5, [&] {
    HWND dialog = activeDialog();
    return (control = dialog ? GetDlgItem(dialog, std::atoi(id)) : nullptr) != nullptr;
  });
  if (!control) std::printf("none\n");
  return control;
}

int waitDialog(char** argv) {
  HWND dialog = nullptr;
  if (!poll(std::atof(argv[2]), [&] { return (dialog = activeDialog()) != nullptr; })) {
    std::printf("none\n");
    return 1;
  }
  char title[256] = "";
  GetWindowTextA(dialog, title, sizeof title);
  std::printf("%s\n", title);
  return 0;
}

int setText(char** argv) {
  HWND control = dialogItem(argv[2]);
  if (!control) return 1;
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
  std::printf("set %s\n", argv[2]);
  return 0;
}

int getText(char** argv) {
  HWND control = dialogItem(argv[2]);
  if (!control) return 1;
  char text[1024] = "";
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  std::printf("%s\n", text);
  return 0;
}

// Posted: the button may open a modal window of its own.
int press(char** argv) {
  HWND control = dialogItem(argv[2]);
  if (!control) return 1;
  PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
  Sleep(300);
  std::printf("pressed %s\n", argv[2]);
  return 0;
}

// A check box or radio button changes its state only when clicked itself.
int click(char** argv) {
  HWND control = dialogItem(argv[2]);
  if (!control) return 1;
  PostMessageA(control, BM_CLICK, 0, 0);
  Sleep(300);
  std::printf("clicked %s\n", argv[2]);
  return 0;
}

// A mouse click at a point of a control, in its client coordinates.
int clickAt(char** argv) {
  HWND control = activeDialog() ? dialogItem(argv[2]) : GetDlgItem(findMain(), std::atoi(argv[2]));
  if (!control) return 1;
  LPARAM at = MAKELPARAM(std::atoi(argv[3]), std::atoi(argv[4]));
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
  Sleep(300);
  std::printf("clicked %s\n", argv[2]);
  return 0;
}

// LVM_SETITEMSTATE takes a pointer, so the item goes through the program's
// own memory.
int selectRow(char** argv) {
  const bool mainList = std::atoi(argv[2]) == kItemListId && !activeDialog();
  HWND list = mainList ? GetDlgItem(findMain(), kItemListId) : dialogItem(argv[2]);
  if (!list) return 1;
  const bool none = std::string(argv[3]) == "none";
  DWORD id = 0;
  GetWindowThreadProcessId(list, &id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
  void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(LVITEMA), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  LVITEMA item{};
  item.stateMask = none ? LVIS_SELECTED : LVIS_SELECTED | LVIS_FOCUSED;
  item.state = none ? 0 : item.stateMask;
  bool ok = remote && WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
            SendMessageA(list, LVM_SETITEMSTATE, none ? -1 : std::atoi(argv[3]), reinterpret_cast<LPARAM>(remote));
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  std::printf(ok ? "selected %s\n" : "failed\n", argv[3]);
  return ok ? 0 : 1;
}

int selectCombo(char** argv) {
  HWND combo = dialogItem(argv[2]);
  if (!combo) return 1;
  bool ok = SendMessageA(combo, CB_SETCURSEL, std::atoi(argv[3]), 0) != CB_ERR;
  std::printf(ok ? "selected %s\n" : "failed\n", argv[3]);
  return ok ? 0 : 1;
}

int listLines(char** argv) {
  HWND list = dialogItem(argv[2]);
  if (!list) return 1;
  // Wine hands an ANSI LB_GETTEXT from another process UTF-16 text: ask
  // for that and convert here.
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[2048] = L"";
    if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(std::size(wide)))
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    char line[4096] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, line, sizeof line, nullptr, nullptr);
    std::printf("%s\n", line);
  }
  return 0;
}

int waitEnabled(char** argv) {
  int id = std::atoi(argv[2]);
  bool enabled = poll(std::atof(argv[3]), [&] {
    HWND dialog = activeDialog();
    HWND control = dialog ? GetDlgItem(dialog, id) : nullptr;
    return control && IsWindowEnabled(control);
  });
  std::printf(enabled ? "enabled\n" : "disabled\n");
  return enabled ? 0 : 1;
}

int closeDialog(char** argv) {
  HWND dialog = activeDialog();
  if (!dialog) {
    std::printf("none\n");
    return 1;
  }
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  bool gone = poll(std::atof(argv[2]), [&] { return !IsWindow(dialog); });
  std::printf(gone ? "closed\n" : "still open\n");
  return gone ? 0 : 1;
}

// As a right click on a pane of the main window would: the context menu
// opens at a point inside it and stays until it is closed (keys escape).
int contextMenu(int argc, char** argv) {
  HWND main = findMain();
  HWND pane = main ? GetDlgItem(main, std::atoi(argv[2])) : nullptr;
  if (!pane) {
    std::printf("none\n");
    return 1;
  }
  RECT rect;
  GetWindowRect(pane, &rect);
  const int y = argc == 4 ? std::atoi(argv[3]) : 40;
  PostMessageA(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pane), MAKELPARAM(rect.left + 60, rect.top + y));
  std::printf("posted\n");
  return 0;
}

// Wine keeps a menu inside its process: the program writes its own menu
// tree to the file named by QM_MENU_DUMP when asked (app/shell/menu_dump_win.h).
int menuDump(int argc, char** argv) {
  HWND main = findMain();
  char path[MAX_PATH] = "";
  const DWORD length = GetEnvironmentVariableA("QM_MENU_DUMP", path, sizeof path);
  if (!main || length == 0 || length >= sizeof path) {
    std::printf("none\n");
    return 1;
  }
  DeleteFileA(path);
  const WPARAM opened = argc == 3 && std::string(argv[2]) == "opened";
  DWORD_PTR result = 0;
  SendMessageTimeoutA(main, RegisterWindowMessageA("Quillmoor2MenuDump"), opened, 0, SMTO_ABORTIFHUNG, 10000, &result);
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    std::printf("none\n");
    return 1;
  }
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) std::fwrite(buffer, 1, n, stdout);
  std::fclose(file);
  return 0;
}

// "shift+ctrl+e" -> modifiers and the key; letters and digits are their own codes.
bool parseKey(std::string name, std::vector<WORD>& modifiers, WORD& key) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::size_t plus;
  while ((plus = name.find('+')) != std::string::npos && plus + 1 < name.size()) {
    const std::string part = name.substr(0, plus);
    name.erase(0, plus + 1);
    if (part == "shift") modifiers.push_back(VK_SHIFT);
    else if (part == "ctrl") modifiers.push_back(VK_CONTROL);
    else if (part == "alt") modifiers.push_back(VK_MENU);
    else return false;
  }
  if (name == "tab") key = VK_TAB;
  else if (name == "escape") key = VK_ESCAPE;
  else if (name == "return") key = VK_RETURN;
  else if (name == "enter") key = VK_RETURN;
  else if (name == "back") key = VK_BACK;
  else if (name == "space") key = VK_SPACE;
  else if (name == "up") key = VK_UP;
  else if (name == "ctrl") key = VK_CONTROL;
  else if (name == "pagedown") key = VK_NEXT;
  else if (name == "pageup") key = VK_PRIOR;
  else if (name == "down") key = VK_DOWN;
  else if (name == "right") key = VK_RIGHT;
  else if (name.size() >= 2 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1])))
    key = static_cast<WORD>(VK_F1 + std::atoi(name.c_str() + 1) - 1);
  else if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
  else return false;
  return true;
}

INPUT keyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

int typeKeys(int argc, char** argv) {
  for (int i = 2; i < argc; ++i) {
    std::vector<WORD> modifiers;
    WORD key = 0;
    if (!parseKey(argv[i], modifiers, key)) {
      std::printf("bad key %s\n", argv[i]);
      return 2;
    }
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(keyInput(m, false));
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(keyInput(*it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(300);
  }
  std::printf("typed\n");
  return 0;
}

HWND focusedControl() {
  DWORD thread = GetWindowThreadProcessId(findMain(), nullptr);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!thread || !GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

int postKey(char** argv) {
  std::vector<WORD> modifiers;
  WORD key = 0;
  HWND focus = focusedControl();
  if (!parseKey(argv[2], modifiers, key) || !modifiers.empty() || !focus) {
    std::printf("none\n");
    return 1;
  }
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
  std::printf("posted\n");
  return 0;
}

int printFocus() {
  HWND focus = focusedControl();
  char cls[64] = "";
  if (focus) GetClassNameA(focus, cls, sizeof cls);
  std::printf("%s %d\n", focus ? cls : "none", focus ? GetDlgCtrlID(focus) : 0);
  return focus ? 0 : 1;
}

int focusedRow() {
  HWND list = GetDlgItem(findMain(), kItemListId);
  std::printf("%ld\n", static_cast<long>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
  return list ? 0 : 1;
}

int selectedCount() {
  HWND list = GetDlgItem(findMain(), kItemListId);
  std::printf("%ld\n", static_cast<long>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0)));
  return list ? 0 : 1;
}

int turnWheel(char** argv) {
  HWND control = GetDlgItem(findMain(), std::atoi(argv[2]));
  RECT rect{};
  if (!control || !GetWindowRect(control, &rect)) {
    std::printf("none\n");
    return 1;
  }
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  SendInput(1, &input, sizeof input);
  Sleep(300);
  std::printf("turned\n");
  return 0;
}

// Screen point of the middle of an item list row; LVM_GETITEMRECT takes a
// pointer, so the rectangle goes through the program's memory.
bool rowCentre(HWND list, int row, POINT& centre) {
  DWORD id = 0;
  GetWindowThreadProcessId(list, &id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, id);
  void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  RECT rect{LVIR_LABEL, 0, 0, 0};
  bool ok = remote && WriteProcessMemory(process, remote, &rect, sizeof rect, nullptr) &&
            SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return ok && ClientToScreen(list, &centre);
}

void mouseAt(POINT at, DWORD button) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
  SendInput(1, &input, sizeof input);
  Sleep(60);
}

// Pressed, moved past the drag threshold in steps, released: as a hand drags.
void dragMouse(POINT from, POINT to) {
  mouseAt(from, 0);
  mouseAt(from, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 8; ++step)
    mouseAt({from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8}, 0);
  mouseAt(to, MOUSEEVENTF_LEFTUP);
  Sleep(300);
}

// Pressed on the first row, released on the second.
int dragRow(char** argv) {
  HWND list = GetDlgItem(findMain(), kItemListId);
  POINT from{}, to{};
  if (!list || !rowCentre(list, std::atoi(argv[2]), from) || !rowCentre(list, std::atoi(argv[3]), to)) {
    std::printf("none\n");
    return 1;
  }
  dragMouse(from, to);
  std::printf("dragged %s %s\n", argv[2], argv[3]);
  return 0;
}

// The search bar: a child of the rebar, of its own class.
HWND searchBar() {
  HWND rebar = FindWindowExA(findMain(), nullptr, "ReBarWindow32", nullptr);
  return rebar ? FindWindowExA(rebar, nullptr, "QmSearchBar", nullptr) : nullptr;
}

// Selects entry INDEX of the search bar's mode list as a click would.
int searchMode(char** argv) {
  HWND bar = searchBar();
  HWND modes = bar ? GetDlgItem(bar, 1) : nullptr;
  if (!modes) {
    std::printf("none\n");
    return 1;
  }
  SendMessageA(modes, CB_SETCURSEL, std::atoi(argv[2]), 0);
  SendMessageA(bar, WM_COMMAND, MAKEWPARAM(1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(modes));
  std::printf("selected\n");
  return 0;
}

// A common control's text goes through the program's memory: the system
// does not carry these messages' buffers across processes.
std::string remoteText(HWND window, UINT message, WPARAM wParam) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, id);
  std::string text(4096, '\0');
  void* remote = process ? VirtualAllocEx(process, nullptr, text.size(), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  const bool ok = remote && WriteProcessMemory(process, remote, text.data(), text.size(), nullptr) &&
                  SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote)) >= 0 &&
                  ReadProcessMemory(process, remote, text.data(), text.size() - 1, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  if (!ok) return "none";
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}

HWND searchTextBox() {
  HWND bar = searchBar();
  return bar ? GetDlgItem(bar, 2) : nullptr;
}

// The text and the history list of the search bar's text box, "|" before each entry.
int searchText() {
  HWND text = searchTextBox();
  if (!text) {
    std::printf("none\n");
    return 1;
  }
  // The system carries WM_GETTEXT's text across processes itself.
  char buffer[4096] = "";
  SendMessageA(text, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  std::printf("%s", buffer);
  const auto count = SendMessageA(text, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // Wine hands a list entry across processes as UTF-16 whatever the call.
    wchar_t entry[2048] = L"";
    if (SendMessageW(text, CB_GETLBTEXTLEN, i, 0) < 2048) SendMessageW(text, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
    char narrow[4096] = "";
    WideCharToMultiByte(CP_ACP, 0, entry, -1, narrow, sizeof narrow, nullptr, nullptr);
    std::printf("|%s", narrow);
  }
  std::printf("\n");
  return 0;
}

// Empties the search bar's text box (a step of the setting, not typed).
int clearSearch() {
  HWND text = searchTextBox();
  if (!text) {
    std::printf("none\n");
    return 1;
  }
  SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  std::printf("cleared\n");
  return 0;
}

int treeCount() {
  HWND tree = GetDlgItem(findMain(), 1000);
  std::printf("%ld\n", tree ? static_cast<long>(SendMessageA(tree, TVM_GETCOUNT, 0, 0)) : -1L);
  return tree ? 0 : 1;
}

// The mode and the text are set first; Enter is sent, not posted, to the
// text box's edit control: the search, the list and the history are done
// before the send returns, and the list's repaint follows.
int timeSearch(char** argv) {
  HWND bar = searchBar();
  HWND modes = bar ? GetDlgItem(bar, 1) : nullptr;
  HWND text = searchTextBox();
  HWND edit = text ? FindWindowExA(text, nullptr, "Edit", nullptr) : nullptr;
  if (!modes || !edit) {
    std::printf("none\n");
    return 1;
  }
  SendMessageA(modes, CB_SETCURSEL, std::atoi(argv[2]), 0);
  SendMessageA(bar, WM_COMMAND, MAKEWPARAM(1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(modes));
  SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
  HWND list = GetDlgItem(findMain(), kItemListId);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  repaintList(list);
  std::printf("%.1f\n", millisecondsSince(start));
  return 0;
}

// A part of the main window's status bar.
int statusText(char** argv) {
  HWND status = FindWindowExA(findMain(), nullptr, STATUSCLASSNAMEA, nullptr);
  if (!status) {
    std::printf("none\n");
    return 1;
  }
  std::printf("%s\n", remoteText(status, SB_GETTEXTA, static_cast<WPARAM>(std::atoi(argv[2]))).c_str());
  return 0;
}

// A real left or right click at a point of a pane of the main window.
int mouseClick(char** argv) {
  HWND control = GetDlgItem(findMain(), std::atoi(argv[2]));
  POINT at{std::atoi(argv[3]), std::atoi(argv[4])};
  if (!control || !ClientToScreen(control, &at)) {
    std::printf("none\n");
    return 1;
  }
  const bool right = argv[5] && std::string(argv[5]) == "right";
  mouseAt(at, 0);
  mouseAt(at, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  mouseAt(at, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  Sleep(300);
  std::printf("clicked %s\n", argv[2]);
  return 0;
}

int listPlace() {
  HWND list = GetDlgItem(findMain(), kItemListId);
  if (!list) {
    std::printf("none\n");
    return 1;
  }
  std::printf("top=%ld focused=%ld perpage=%ld count=%ld\n", static_cast<long>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)),
              static_cast<long>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)),
              static_cast<long>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0)),
              static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  return 0;
}

int groupPlace() {
  HWND main = findMain();
  HWND groups = GetDlgItem(main, kGroupListId);
  HWND tabs = GetDlgItem(main, kGroupTabsId);
  if (!groups || !tabs) {
    std::printf("none\n");
    return 1;
  }
  std::printf("kind=%ld selected=%ld top=%ld count=%ld\n", static_cast<long>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)),
              static_cast<long>(SendMessageA(groups, LB_GETCURSEL, 0, 0)),
              static_cast<long>(SendMessageA(groups, LB_GETTOPINDEX, 0, 0)),
              static_cast<long>(SendMessageA(groups, LB_GETCOUNT, 0, 0)));
  return 0;
}

int paneRect(char** argv) {
  HWND main = findMain();
  HWND pane = main ? GetDlgItem(main, std::atoi(argv[2])) : nullptr;
  RECT rect{};
  if (!pane || !GetWindowRect(pane, &rect)) {
    std::printf("none\n");
    return 1;
  }
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
  std::printf("%ld %ld %ld %ld%s\n", rect.left, rect.top, rect.right, rect.bottom, IsWindowVisible(pane) ? "" : " hidden");
  return 0;
}

POINT mainPoint(HWND main, const char* x, const char* y) {
  POINT at{std::atoi(x), std::atoi(y)};
  ClientToScreen(main, &at);
  return at;
}

// A splitter or a header item dragged.
int dragMain(char** argv) {
  HWND main = findMain();
  if (!main) {
    std::printf("none\n");
    return 1;
  }
  dragMouse(mainPoint(main, argv[2], argv[3]), mainPoint(main, argv[4], argv[5]));
  std::printf("dragged\n");
  return 0;
}

// Two clicks within the double-click time.
void doubleClickAt(POINT at) {
  mouseAt(at, 0);
  for (int click = 0; click < 2; ++click) {
    mouseAt(at, MOUSEEVENTF_LEFTDOWN);
    mouseAt(at, MOUSEEVENTF_LEFTUP);
  }
  Sleep(300);
}

int doubleClickMain(char** argv) {
  HWND main = findMain();
  if (!main) {
    std::printf("none\n");
    return 1;
  }
  doubleClickAt(mainPoint(main, argv[2], argv[3]));
  std::printf("double-clicked\n");
  return 0;
}

int doubleClickRow(char** argv) {
  HWND list = GetDlgItem(findMain(), kItemListId);
  POINT at{};
  if (!list || !rowCentre(list, std::atoi(argv[2]), at)) {
    std::printf("none\n");
    return 1;
  }
  doubleClickAt(at);
  std::printf("double-clicked %s\n", argv[2]);
  return 0;
}

int headerCount() {
  HWND list = GetDlgItem(findMain(), kItemListId);
  HWND header = list ? reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)) : nullptr;
  if (!header) {
    std::printf("none\n");
    return 1;
  }
  std::printf("%ld\n", static_cast<long>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)));
  return 0;
}

// A low-level keyboard hook sees the key events another process sends; its
// thread must pump messages for them to arrive.
struct KeyUps {
  std::string names;
  DWORD first = 0;
  DWORD last = 0;
};
KeyUps keyUps;

LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && (wParam == WM_KEYUP || wParam == WM_SYSKEYUP)) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const char* name = key->vkCode == VK_RMENU    ? "RMENU"
                       : key->vkCode == VK_LCONTROL ? "LCONTROL"
                       : key->vkCode == VK_CONTROL  ? "CONTROL"
                       : key->vkCode == VK_LSHIFT   ? "LSHIFT"
                       : key->vkCode == VK_RSHIFT   ? "RSHIFT"
                       : key->vkCode == VK_SHIFT    ? "SHIFT"
                       : key->vkCode == VK_MENU     ? "MENU"
                                                    : "OTHER";
    if (!keyUps.names.empty()) keyUps.names += " ";
    keyUps.names += name;
    const DWORD now = GetTickCount();
    if (!keyUps.first) keyUps.first = now;
    keyUps.last = now;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int closeMainKeys(char** argv) {
  HWND main = findMain();
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, keyboardHook, GetModuleHandleA(nullptr), 0);
  if (!main || !hook) {
    std::printf("none\n");
    return 1;
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  const DWORD until = GetTickCount() + static_cast<DWORD>(std::atof(argv[2]) * 1000);
  while (GetTickCount() < until && findMain()) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  // Events sent just before the window went are still on their way.
  for (int i = 0; i < 10; ++i) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
  UnhookWindowsHookEx(hook);
  std::printf("%s span=%lu\n", keyUps.names.c_str(), static_cast<unsigned long>(keyUps.last - keyUps.first));
  return findMain() ? 1 : 0;
}

// The text the item list shows in a cell; LVM_GETITEMTEXT takes a pointer,
// so the item and its buffer go through the program's memory.
int rowText(char** argv) {
  HWND list = GetDlgItem(findMain(), kItemListId);
  DWORD id = 0;
  GetWindowThreadProcessId(list, &id);
  HANDLE process = list ? OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, id) : nullptr;
  constexpr int kTextBytes = 1024;
  char* remote = process ? static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kTextBytes,
                                                             MEM_COMMIT, PAGE_READWRITE))
                         : nullptr;
  LVITEMA item{};
  item.iSubItem = std::atoi(argv[3]);
  item.pszText = remote + sizeof(LVITEMA);
  item.cchTextMax = kTextBytes;
  char text[kTextBytes] = "";
  bool ok = remote && WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
            SendMessageA(list, LVM_GETITEMTEXTA, std::atoi(argv[2]), reinterpret_cast<LPARAM>(remote)) >= 0 &&
            ReadProcessMemory(process, remote + sizeof(LVITEMA), text, sizeof text, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  text[kTextBytes - 1] = '\0';
  std::printf(ok ? "%s\n" : "none\n", text);
  return ok ? 0 : 1;
}

// A real click in an item list cell: DX pixels right of the column's left
// edge (columns in their first order), in the middle of the row's height.
int clickCell(char** argv) {
  HWND list = GetDlgItem(findMain(), kItemListId);
  POINT centre{};
  if (!list || !rowCentre(list, std::atoi(argv[2]), centre)) {
    std::printf("none\n");
    return 1;
  }
  const int column = std::atoi(argv[3]);
  POINT at{headerX(list, column) - static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2 +
               std::atoi(argv[4]),
           0};
  ClientToScreen(list, &at);
  at.y = centre.y;
  mouseAt(at, 0);
  mouseAt(at, MOUSEEVENTF_LEFTDOWN);
  mouseAt(at, MOUSEEVENTF_LEFTUP);
  Sleep(300);
  std::printf("clicked %s %s\n", argv[2], argv[3]);
  return 0;
}

int showPopup(char** argv) {
  HWND control = GetDlgItem(findMain(), std::atoi(argv[2]));
  RECT rect{};
  if (!control || !GetWindowRect(control, &rect)) {
    std::printf("none\n");
    return 1;
  }
  PostMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(rect.left + 10, rect.top + 10));
  HWND popup = nullptr;
  const bool shown = poll(5, [&] { return (popup = FindWindowA("#32768", nullptr)) && IsWindowVisible(popup); });
  std::printf(shown ? "shown\n" : "none\n");
  return shown ? 0 : 1;
}

int topWindow(char** argv) {
  HWND window = nullptr;
  const bool shown = poll(std::atof(argv[3]), [&] { return (window = FindWindowA(argv[2], nullptr)) && IsWindowVisible(window); });
  if (!shown) {
    std::printf("none\n");
    return 1;
  }
  RECT client{};
  GetClientRect(window, &client);
  char title[512] = "";
  GetWindowTextA(window, title, sizeof title);
  std::printf("%ldx%ld %s\n", client.right, client.bottom, title);
  return 0;
}

HWND toolBar() {
  HWND rebar = FindWindowExA(findMain(), nullptr, "ReBarWindow32", nullptr);
  return rebar ? FindWindowExA(rebar, nullptr, TOOLBARCLASSNAMEA, nullptr) : nullptr;
}

// TB_GETITEMRECT takes a pointer: the rectangle goes through the program's memory.
int toolClick(char** argv) {
  HWND tools = toolBar();
  const LRESULT index = tools ? SendMessageA(tools, TB_COMMANDTOINDEX, std::atoi(argv[2]), 0) : -1;
  DWORD id = 0;
  GetWindowThreadProcessId(tools, &id);
  HANDLE process =
      index >= 0 ? OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, id) : nullptr;
  void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  RECT rect{};
  bool ok = remote && SendMessageA(tools, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  if (!ok || !ClientToScreen(tools, &centre)) {
    std::printf("none\n");
    return 1;
  }
  mouseAt(centre, 0);
  mouseAt(centre, MOUSEEVENTF_LEFTDOWN);
  mouseAt(centre, MOUSEEVENTF_LEFTUP);
  Sleep(300);
  std::printf("clicked %s\n", argv[2]);
  return 0;
}

int toolImage(char** argv) {
  HWND tools = toolBar();
  if (!tools) {
    std::printf("none\n");
    return 1;
  }
  std::printf("%ld\n", static_cast<long>(SendMessageA(tools, TB_GETBITMAP, std::atoi(argv[2]), 0)));
  return 0;
}

int strayCommand(char** argv) {
  HWND main = findMain();
  HWND list = GetDlgItem(main, kItemListId);
  if (!list) {
    std::printf("none\n");
    return 1;
  }
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), EN_CHANGE), reinterpret_cast<LPARAM>(list));
  Sleep(300);
  std::printf("posted %s\n", argv[2]);
  return 0;
}

int waitFocus(char** argv) {
  const int wanted = std::atoi(argv[2]);
  HWND focus = nullptr;
  RECT rect{};
  if (!poll(std::atof(argv[3]), [&] { return (focus = focusedControl()) && GetDlgCtrlID(focus) == wanted; }) ||
      !GetWindowRect(focus, &rect)) {
    std::printf("none\n");
    return 1;
  }
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string action = argv[1];
  if (action == "launch" && argc >= 3) return launch(argc, argv);
  if (action == "time-start" && argc == 5) return timeStart(argv);
  if (action == "tool-click" && argc == 3) return toolClick(argv);
  if (action == "tool-image" && argc == 3) return toolImage(argv);
  if (action == "stray-command" && argc == 3) return strayCommand(argv);
  if (action == "wait-focus" && argc == 4) return waitFocus(argv);
  if (action == "wait-exit" && argc == 4) return waitExit(argv);
  if (action == "find-main" && (argc == 3 || argc == 4)) return findMainWindow(argc, argv);
  if (action == "close-main" && argc == 3) return closeMain(argv);
  if (action == "answer-box" && argc == 4) return answerBox(argv);
  if (action == "count-items") return countItems();
  if (action == "click-header" && argc == 3) return clickHeader(argv);
  if (action == "time-header" && argc == 3) return timeHeader(argv);
  if (action == "time-group" && argc == 3) return timeGroup(argv);
  if (action == "memory") return memory();
  if (action == "command" && argc == 3) return postCommand(argv);
  if (action == "dialog" && argc == 3) return waitDialog(argv);
  if (action == "set-text" && argc == 4) return setText(argv);
  if (action == "get-text" && argc == 3) return getText(argv);
  if (action == "press" && argc == 3) return press(argv);
  if (action == "click" && argc == 3) return click(argv);
  if (action == "click-at" && argc == 5) return clickAt(argv);
  if (action == "select-row" && argc == 4) return selectRow(argv);
  if (action == "select-combo" && argc == 4) return selectCombo(argv);
  if (action == "list-lines" && argc == 3) return listLines(argv);
  if (action == "wait-enabled" && argc == 4) return waitEnabled(argv);
  if (action == "close-dialog" && argc == 3) return closeDialog(argv);
  if (action == "keys" && argc >= 3) return typeKeys(argc, argv);
  if (action == "post-key" && argc == 3) return postKey(argv);
  if (action == "focus") return printFocus();
  if (action == "selected-count") return selectedCount();
  if (action == "focused-row") return focusedRow();
  if (action == "popup" && argc == 3) return showPopup(argv);
  if (action == "wheel" && argc == 3) return turnWheel(argv);
  if (action == "menu-dump" && argc <= 3) return menuDump(argc, argv);
  if (action == "context-menu" && (argc == 3 || argc == 4)) return contextMenu(argc, argv);
  if (action == "drag-row" && argc == 4) return dragRow(argv);
  if (action == "search-mode" && argc == 3) return searchMode(argv);
  if (action == "mouse-click" && (argc == 5 || argc == 6)) return mouseClick(argv);
  if (action == "search-text") return searchText();
  if (action == "clear-search") return clearSearch();
  if (action == "time-search" && argc == 4) return timeSearch(argv);
  if (action == "tree-count") return treeCount();
  if (action == "status" && argc == 3) return statusText(argv);
  if (action == "list-place") return listPlace();
  if (action == "group-place") return groupPlace();
  if (action == "pane-rect" && argc == 3) return paneRect(argv);
  if (action == "drag-main" && argc == 6) return dragMain(argv);
  if (action == "double-click-main" && argc == 4) return doubleClickMain(argv);
  if (action == "double-click-row" && argc == 3) return doubleClickRow(argv);
  if (action == "header-count") return headerCount();
  if (action == "row-text" && argc == 4) return rowText(argv);
  if (action == "click-cell" && argc == 5) return clickCell(argv);
  if (action == "close-main-keys" && argc == 3) return closeMainKeys(argv);
  if (action == "window" && argc == 4) return topWindow(argv);
  std::fprintf(stderr, "qm-driver: bad arguments\n");
  return 2;
}

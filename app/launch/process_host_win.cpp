#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/launch/process_host.h"
#include "common/platform/win_handle_win.h"

namespace qm::launch {
namespace {

using platform::UniqueHandle;

constexpr DWORD kIdleWaitMs = 10000;

class WindowsProcess : public EmulatorProcess {
public:
  explicit WindowsProcess(HANDLE process) : process_(process) {}
  bool waitUntilIdle(bool repeatWhileTimedOut) override {
    if (!process_) return true;
    DWORD result;
    do {
      result = WaitForInputIdle(process_.get(), kIdleWaitMs);
    } while (result == WAIT_TIMEOUT && repeatWhileTimedOut);
    // WAIT_FAILED is what a console program without a message loop gives
    // (Wine gives it at once): it has started all the same.
    return result != WAIT_TIMEOUT;
  }
  void waitForEnd() override {
    if (process_) WaitForSingleObject(process_.get(), INFINITE);
  }
  unsigned long processId() const override { return process_ ? GetProcessId(process_.get()) : 0; }

private:
  UniqueHandle process_;
};

std::unique_ptr<EmulatorProcess> createProcess(const ProcessRequest& request) {
  std::string commandLine = "\"" + request.program + "\" " + request.arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      request.folder.empty() ? nullptr : request.folder.c_str(), &startup, &info))
    return nullptr;
  CloseHandle(info.hThread);
  return std::make_unique<WindowsProcess>(info.hProcess);
}

std::unique_ptr<EmulatorProcess> shellStart(const ProcessRequest& request) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "open";
  info.lpFile = request.program.c_str();
  info.lpParameters = request.arguments.c_str();
  info.lpDirectory = request.folder.empty() ? nullptr : request.folder.c_str();
  info.nShow = request.normalShow ? SW_SHOWNORMAL : SW_SHOWDEFAULT;
  if (!ShellExecuteExA(&info)) return nullptr;
  return std::make_unique<WindowsProcess>(info.hProcess);
}

struct TitleSearch {
  const std::string* text;
  DWORD ownProcess;
  bool found;
};

BOOL CALLBACK lookAtWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->ownProcess) return TRUE;
  char title[1025] = {};
  GetWindowTextA(window, title, sizeof title);
  if (std::strstr(title, search->text->c_str())) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

bool titleShown(const std::string& text) {
  TitleSearch search{&text, GetCurrentProcessId(), false};
  EnumWindows(lookAtWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::unique_ptr<EmulatorProcess> ProcessHost::start(const ProcessRequest& request) {
  return request.throughShell ? shellStart(request) : createProcess(request);
}

void ProcessHost::waitWhileTitleShown(const std::string& text, int intervalMs) {
  do {
    sleep(intervalMs);
  } while (titleShown(text));
}

}  // namespace qm::launch

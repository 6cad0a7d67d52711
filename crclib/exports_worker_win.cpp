#include <windows.h>

#include <memory>

#include "common/platform/win_handle_win.h"
#include "crclib/registration_worker.h"

namespace qm::reg {
namespace {

// The worker holds a reference on the library and gives it back as it ends
// (FreeLibraryAndExitThread): the program frees the library when its progress
// window closes, which may be during a run, and a join in DllMain would wait
// on the loader lock forever.
platform::UniqueHandle& workerHandle() {
  static platform::UniqueHandle handle;
  return handle;
}

struct Start {
  std::function<void()> work;
  HMODULE self;
};

DWORD WINAPI workerMain(LPVOID param) {
  std::unique_ptr<Start> start(static_cast<Start*>(param));
  const HMODULE self = start->self;
  try {
    start->work();
  } catch (...) {
  }
  start.reset();
  FreeLibraryAndExitThread(self, 0);
}

}  // namespace

bool startWorker(std::function<void()> work) {
  joinWorker();
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&workerMain), &self)) {
    return false;
  }
  auto start = std::make_unique<Start>(Start{std::move(work), self});
  const HANDLE thread = CreateThread(nullptr, 0, workerMain, start.get(), 0, nullptr);
  if (!thread) {
    FreeLibrary(self);
    return false;
  }
  start.release();
  workerHandle().reset(thread);
  return true;
}

void joinWorker() {
  auto& handle = workerHandle();
  if (!handle) return;
  // A previous run has ended by the time the program starts another (its
  // window showed "終了"); this only waits for the thread's last steps.
  WaitForSingleObject(handle.get(), INFINITE);
  handle.reset();
}

}  // namespace qm::reg

// Owners of Win32 kernel handles. Functions report a failed open either as
// null (CreateProcess, CreateEvent, CreateThread, OpenProcess) or as
// INVALID_HANDLE_VALUE (CreateFile, FindFirstFile); an owner takes both for
// empty, so `if (!handle)` is the one test whichever function made it, and
// INVALID_HANDLE_VALUE (also the current process's pseudo handle) is never
// closed.
#pragma once

#include <windows.h>

#include <utility>

namespace qm::platform {

template <typename Closer>
class OwnedHandle {
public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { reset(); }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  HANDLE release() { return std::exchange(handle_, nullptr); }
  void reset(HANDLE handle = nullptr) {
    const HANDLE old = std::exchange(handle_, handle == INVALID_HANDLE_VALUE ? nullptr : handle);
    if (old) Closer{}(old);
  }

private:
  HANDLE handle_ = nullptr;
};

struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FindHandleCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};

// A file, process, thread or event handle.
using UniqueHandle = OwnedHandle<KernelHandleCloser>;
// A FindFirstFile search.
using UniqueFind = OwnedHandle<FindHandleCloser>;

}  // namespace qm::platform

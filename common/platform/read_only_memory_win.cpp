#include <windows.h>

#include <cstring>

#include "common/platform/read_only_memory.h"

namespace qm::platform {

// VirtualAlloc hands out whole pages on an allocation-granularity boundary.
ReadOnlyText::ReadOnlyText(std::string_view text) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  const std::size_t page = info.dwPageSize;
  const std::size_t mapped = (text.size() + 1 + page - 1) / page * page;
  void* base = VirtualAlloc(nullptr, mapped, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!base) return;
  std::memcpy(base, text.data(), text.size());
  static_cast<char*>(base)[text.size()] = '\0';
  DWORD old = 0;
  if (!VirtualProtect(base, mapped, PAGE_READONLY, &old)) {
    VirtualFree(base, 0, MEM_RELEASE);
    return;
  }
  base_ = base;
  size_ = text.size();
  mapped_ = mapped;
}

void ReadOnlyText::release() {
  if (base_) VirtualFree(base_, 0, MEM_RELEASE);
  base_ = nullptr;
}

}  // namespace qm::platform

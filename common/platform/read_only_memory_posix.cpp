#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "common/platform/read_only_memory.h"

namespace qm::platform {

ReadOnlyText::ReadOnlyText(std::string_view text) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t mapped = (text.size() + 1 + page - 1) / page * page;
  void* base = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) return;
  std::memcpy(base, text.data(), text.size());
  static_cast<char*>(base)[text.size()] = '\0';
  if (mprotect(base, mapped, PROT_READ) != 0) {
    munmap(base, mapped);
    return;
  }
  base_ = base;
  size_ = text.size();
  mapped_ = mapped;
}

void ReadOnlyText::release() {
  if (base_) munmap(base_, mapped_);
  base_ = nullptr;
}

}  // namespace qm::platform

// Ownership of the pages, the same on every system; each system's file maps
// and releases them.
#include "common/platform/read_only_memory.h"

#include <utility>

namespace qm::platform {

ReadOnlyText::~ReadOnlyText() { release(); }

ReadOnlyText::ReadOnlyText(ReadOnlyText&& other) noexcept
    : base_(std::exchange(other.base_, nullptr)), size_(other.size_), mapped_(other.mapped_) {}

ReadOnlyText& ReadOnlyText::operator=(ReadOnlyText&& other) noexcept {
  if (this != &other) {
    release();
    base_ = std::exchange(other.base_, nullptr);
    size_ = other.size_;
    mapped_ = other.mapped_;
  }
  return *this;
}

}  // namespace qm::platform

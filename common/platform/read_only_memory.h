// Bytes handed to code outside the program (a plug-in) in pages of their own
// that are read-only while it looks at them: a plug-in that writes where it
// should only read faults at once instead of corrupting the program's heap.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm::platform {

class ReadOnlyText {
public:
  ReadOnlyText() = default;
  // A copy of `text` with a terminating zero, in page-aligned memory that is
  // then made read-only. Check valid(): the memory may be refused.
  explicit ReadOnlyText(std::string_view text);
  ~ReadOnlyText();
  ReadOnlyText(const ReadOnlyText&) = delete;
  ReadOnlyText& operator=(const ReadOnlyText&) = delete;
  ReadOnlyText(ReadOnlyText&& other) noexcept;
  ReadOnlyText& operator=(ReadOnlyText&& other) noexcept;

  bool valid() const { return base_ != nullptr; }
  const char* c_str() const { return static_cast<const char*>(base_); }
  std::size_t size() const { return size_; }  // without the terminating zero

private:
  void release();

  void* base_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mapped_ = 0;  // whole pages
};

}  // namespace qm::platform

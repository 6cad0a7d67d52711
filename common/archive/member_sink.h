// Where a member's bytes go while it is unpacked: memory, a file, or the
// caller's own consumer (the CRC accumulators). Blocks arrive in order and are
// at most kBlockBytes long; nothing is ever sized by what the archive declares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>

namespace qm::archive {

inline constexpr std::size_t kBlockBytes = 256 * 1024;

class MemberSink {
public:
  virtual ~MemberSink() = default;
  // False refuses the block; the unpacking then stops with an error.
  virtual bool write(std::span<const std::uint8_t> block) = 0;
};

// Collects the bytes. The limit guards against a member that unpacks to far
// more than any image (or a list file) could be.
class MemorySink : public MemberSink {
public:
  explicit MemorySink(std::size_t limit = std::numeric_limits<std::size_t>::max()) : limit_(limit) {}
  bool write(std::span<const std::uint8_t> block) override;

  const std::string& bytes() const { return bytes_; }
  std::string take() { return std::move(bytes_); }

private:
  std::size_t limit_;
  std::string bytes_;
};

}  // namespace qm::archive

#include "common/archive/member_sink.h"

namespace qm::archive {

bool MemorySink::write(std::span<const std::uint8_t> block) {
  if (block.size() > limit_ - bytes_.size()) return false;
  bytes_.append(reinterpret_cast<const char*>(block.data()), block.size());
  return true;
}

}  // namespace qm::archive

#include "common/platform/atomic_file.h"

#include <atomic>

namespace qm::platform {

std::string temporaryPathBeside(const std::string& target, unsigned long processId) {
  static std::atomic<unsigned> counter{0};
  const std::string name = "~qm" + std::to_string(processId) + "-" + std::to_string(counter++) + ".qmtmp";
  return joinPath(folderOf(target), name);
}

bool AtomicFile::write(std::string_view bytes) {
  return write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool AtomicFile::commit() {
  if (!open_ || failed_ || committed_) return false;
  const bool placed = closeWritten() && (direct_ || placeTemporary());
  open_ = false;
  if (!placed) {
    discard();
    return false;
  }
  committed_ = true;
  return true;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  return file.write(bytes) && file.commit();
}

}  // namespace qm::platform

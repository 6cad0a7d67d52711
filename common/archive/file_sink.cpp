#include "common/archive/file_sink.h"

#include "common/platform/files.h"

namespace qm::archive {

FileSink::FileSink(std::string path) : path_(std::move(path)), file_(openStdioFile(path_, "wb")) {}

FileSink::~FileSink() {
  if (committed_ || !file_) return;
  file_.reset();
  platform::deleteFile(path_);
}

bool FileSink::write(std::span<const std::uint8_t> block) {
  return file_ && std::fwrite(block.data(), 1, block.size(), file_.get()) == block.size();
}

bool FileSink::commit() {
  if (!file_) return false;
  // fclose flushes, and a full disk shows only there.
  const bool closed = std::fclose(file_.release()) == 0;
  if (closed) {
    committed_ = true;
  } else {
    platform::deleteFile(path_);
  }
  return closed;
}

}  // namespace qm::archive

// A member's bytes written to a file. The bytes go to a temporary file beside
// the target, which replaces the target only once commit() succeeded; a sink
// dropped before that, or a failed commit, leaves a file of the same name as
// it was, and no half file for an emulator to start with.
#pragma once

#include <string>

#include "common/archive/member_sink.h"
#include "common/platform/atomic_file.h"

namespace qm::archive {

class FileSink : public MemberSink {
public:
  // Starts the file; check isOpen().
  explicit FileSink(std::string path) : file_(std::move(path)) {}

  bool isOpen() const { return file_.isOpen(); }
  const std::string& path() const { return file_.target(); }
  bool write(std::span<const std::uint8_t> block) override { return file_.write(block.data(), block.size()); }
  // False when the bytes could not all be written and placed.
  bool commit() { return file_.commit(); }

private:
  platform::AtomicFile file_;
};

}  // namespace qm::archive

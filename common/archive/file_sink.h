// A member's bytes written to a file. The file is complete only once commit()
// succeeded; a sink dropped before that removes what it wrote, so a failed
// extraction leaves no half file for an emulator to start with.
#pragma once

#include <string>

#include "common/archive/member_sink.h"
#include "common/archive/stdio_file.h"

namespace qm::archive {

class FileSink : public MemberSink {
public:
  // Creates the file, replacing one of the same name; check isOpen().
  explicit FileSink(std::string path);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }
  bool write(std::span<const std::uint8_t> block) override;
  // Closes the file; false when the last bytes could not be written.
  bool commit();

private:
  std::string path_;
  StdioFile file_;
  bool committed_ = false;
};

}  // namespace qm::archive

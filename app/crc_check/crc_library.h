// Quillmoor2_GetCRC bound by path from the program folder for one
// recomputation: its version and its four CRC exports. The status window the
// exports animate is the dialog's marker (null from the command line).
#pragma once

#include <string>

#include "app/crc_check/crc_functions.h"
#include "app/registration/registration_library.h"
#include "common/platform/shared_library.h"
#include "crclib/crc_export_types.h"

namespace qm::crc_check {

class CrcLibrary : public CrcFunctions {
public:
  // Loads and binds; on failure the library is freed again and reason() says
  // why (the system's text, or the missing export's name).
  registration::Binding bind(const std::string& programFolder);
  const std::string& reason() const { return reason_; }
  void setStatusWindow(void* window) { statusWindow_ = window; }

  // The export answers the error value both for a file it cannot read and for
  // bytes whose CRC is that value: the file is opened here first, and read
  // here again when the value comes back.
  FileCrcText fileCrc(CrcKind kind, const std::string& path, std::uint32_t offset, std::uint32_t length) override;
  std::string memoryCrc(CrcKind kind, std::string_view bytes) override;

private:
  void reset();

  platform::SharedLibrary library_;
  crc::GetFileCrcExport file32_ = nullptr, file16_ = nullptr;
  crc::GetMemCrcExport memory32_ = nullptr, memory16_ = nullptr;
  void* statusWindow_ = nullptr;
  std::string reason_;
};

}  // namespace qm::crc_check

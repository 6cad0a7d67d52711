// Failures of archive operations, as values. Messages are program text and
// name the archive; what libarchive says is appended as it says it (English).
#pragma once

#include <string>

namespace qm::archive {

enum class ArchiveErrorKind {
  UnknownType,   // the extension is none of lzh, zip, rar, 7z
  CannotOpen,    // the file cannot be opened or read
  Damaged,       // not an archive of its type, or broken from some point on
  NoSuchMember,
  UnsafeName,    // extraction would leave the target folder
  CannotWrite,   // the target file cannot be written
  Stopped,       // the caller's sink refused a block
};

struct ArchiveError {
  ArchiveErrorKind kind;
  std::string message;
};

}  // namespace qm::archive

#include <windows.h>

#include "common/platform/atomic_file.h"

namespace qm::platform {
namespace {

// Names taken by left-over temporary files are passed over this many times.
constexpr int kNameTries = 16;

HANDLE handleOf(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

bool nameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// Without MOVEFILE_REPLACE_EXISTING the move refuses anything at the target in
// the same step; write-through returns only once the move is on the disk.
bool place(const std::string& from, const std::string& to, Overwrite overwrite) {
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (overwrite == Overwrite::Allowed ? MOVEFILE_REPLACE_EXISTING : 0);
  return MoveFileExA(from.c_str(), to.c_str(), flags) != FALSE;
}

// A copy carries the source's read-only attribute, which DeleteFileA refuses.
void removeCopy(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

}  // namespace

AtomicFile::AtomicFile(std::string target, Overwrite overwrite)
    : target_(std::move(target)), destination_(target_), overwrite_(overwrite) {
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int i = 0; i < kNameTries && file == INVALID_HANDLE_VALUE; ++i) {
    temporary_ = temporaryPathBeside(target_, GetCurrentProcessId());
    file = CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && !nameTaken(GetLastError())) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    temporary_.clear();
    fail();
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  open_ = true;
}

AtomicFile::~AtomicFile() {
  if (!committed_) discard();
}

bool AtomicFile::fail() {
  if (!failed_) error_ = GetLastError();
  failed_ = true;
  return false;
}

void AtomicFile::discard() {
  if (handle_ != -1) CloseHandle(handleOf(handle_));
  handle_ = -1;
  if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
  open_ = false;
}

bool AtomicFile::write(const std::uint8_t* data, std::size_t size) {
  if (!open_ || failed_) return false;
  while (size > 0) {
    const DWORD block = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(handleOf(handle_), data, block, &written, nullptr)) return fail();
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return fail();
    }
    data += written;
    size -= written;
  }
  return true;
}

bool AtomicFile::closeWritten() {
  const HANDLE file = handleOf(handle_);
  handle_ = -1;
  if (!FlushFileBuffers(file)) fail();
  if (!CloseHandle(file)) fail();
  return !failed_;
}

bool AtomicFile::placeTemporary() {
  if (place(temporary_, destination_, overwrite_)) return true;
  targetExisted_ = nameTaken(GetLastError());
  return fail();
}

// CopyFileA makes the temporary file, keeping the time and attributes as a
// copy always has; only the placing is ours.
CopyResult copyFileAtomically(const std::string& from, const std::string& to, Overwrite overwrite) {
  const DWORD attributes = GetFileAttributesA(from.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return CopyResult::Failed;
  // The move checks again; this spares copying a large file for nothing.
  if (overwrite == Overwrite::Never && GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES)
    return CopyResult::TargetExists;
  for (int i = 0; i < kNameTries; ++i) {
    const std::string temporary = temporaryPathBeside(to, GetCurrentProcessId());
    if (!CopyFileA(from.c_str(), temporary.c_str(), TRUE)) {
      const DWORD error = GetLastError();
      if (nameTaken(error)) continue;
      removeCopy(temporary);
      return CopyResult::Failed;
    }
    if (place(temporary, to, overwrite)) return CopyResult::Copied;
    const DWORD error = GetLastError();
    removeCopy(temporary);
    return nameTaken(error) ? CopyResult::TargetExists : CopyResult::Failed;
  }
  return CopyResult::Failed;
}

}  // namespace qm::platform

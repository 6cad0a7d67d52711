// Files created or replaced whole. The bytes go to a temporary file in the
// target's folder, are flushed to the disk, and only then is the temporary
// file renamed over the target. A failure at any step (create, write, flush,
// close, rename) removes the temporary file alone: the target stays exactly as
// it was, or absent. Natively a link at the target is followed (the file it
// names is replaced and the link stays), and a device or pipe there is written
// to directly, as nothing can be lost by that. Paths are program text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform/files.h"

namespace qm::platform {

enum class Overwrite { Allowed, Never };

class AtomicFile {
public:
  // Creates the temporary file; check isOpen(). With Overwrite::Never the
  // commit fails when anything is at the target by then, a folder too.
  explicit AtomicFile(std::string target, Overwrite overwrite = Overwrite::Allowed);
  // Without a successful commit the temporary file is removed.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool isOpen() const { return open_; }
  const std::string& target() const { return target_; }
  const std::string& temporaryPath() const { return temporary_; }

  // False once any write has failed; later writes are refused too.
  bool write(std::string_view bytes);
  bool write(const std::uint8_t* data, std::size_t size);
  // Flushes, closes and renames over the target. False leaves the target as it
  // was; targetExisted() tells an Overwrite::Never refusal from a failure.
  bool commit();
  bool targetExisted() const { return targetExisted_; }
  // The system's error code of the first failure (errno natively), 0 if none.
  unsigned long errorCode() const { return error_; }

private:
  bool fail();
  void discard();
  void openDirect();
  // Flushes to the disk and closes; then the rename (or link) over the target.
  bool closeWritten();
  bool placeTemporary();

  std::string target_;
  std::string destination_;  // what the rename replaces: the target, or the file its link names
  std::string temporary_;
  Overwrite overwrite_;
  std::intptr_t handle_ = -1;  // a file descriptor natively, a HANDLE on Windows
  bool open_ = false;
  bool direct_ = false;  // a device written to in place
  bool failed_ = false;
  bool committed_ = false;
  bool targetExisted_ = false;
  unsigned long error_ = 0;
};

// The whole file at once.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// A copy of `from` with its modification time, as CopyFileA makes one, placed
// at `to` as a whole. With Overwrite::Never anything at `to` gives TargetExists;
// a missing or unreadable source is Failed even then.
CopyResult copyFileAtomically(const std::string& from, const std::string& to, Overwrite overwrite);

// The name of a temporary file beside `target`: one no other process or call
// uses at the same time (process id and a counter), ending in ".qmtmp", which
// the program never takes for a user's file. Each call gives a new name, so a
// left-over file holding one is passed by the next.
std::string temporaryPathBeside(const std::string& target, unsigned long processId);

}  // namespace qm::platform

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/platform/atomic_file.h"
#include "common/platform/canonical_path.h"
#include "common/platform/native_file.h"
#include "common/text/encoding.h"

namespace qm::platform {
namespace {

// Names taken by left-over temporary files are passed over this many times.
constexpr int kNameTries = 16;

std::string osPath(const std::string& path) { return text::sjisToUtf8(path); }

// link() refuses an existing target in the same step that creates the name,
// which rename() cannot; a file system without hard links gets the check and
// the rename as two steps.
bool placeNew(const std::string& from, const std::string& to) {
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno != EPERM && errno != ENOTSUP && errno != ENOSYS) return false;
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

// The rename itself reaches the disk only with the folder's own entries.
void syncFolderOf(const std::string& target) {
  const std::string folder = osPath(folderOf(target));
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::string target, Overwrite overwrite)
    : target_(std::move(target)), destination_(target_), overwrite_(overwrite) {
  struct stat existing;
  const bool exists = ::stat(osPath(target_).c_str(), &existing) == 0;
  if (exists && overwrite == Overwrite::Allowed && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
    openDirect();
    return;
  }
  if (exists) destination_ = canonicalPath(target_).value_or(target_);
  int fd = -1;
  for (int i = 0; i < kNameTries && fd < 0; ++i) {
    temporary_ = temporaryPathBeside(destination_, static_cast<unsigned long>(::getpid()));
    fd = ::open(osPath(temporary_).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    temporary_.clear();
    fail();
    return;
  }
  // A replaced file keeps its permissions.
  if (exists && S_ISREG(existing.st_mode)) ::fchmod(fd, existing.st_mode & 07777);
  handle_ = fd;
  open_ = true;
}

void AtomicFile::openDirect() {
  const int fd = ::open(osPath(target_).c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    fail();
    return;
  }
  handle_ = fd;
  direct_ = true;
  open_ = true;
}

AtomicFile::~AtomicFile() {
  if (!committed_) discard();
}

bool AtomicFile::fail() {
  if (!failed_) error_ = static_cast<unsigned long>(errno);
  failed_ = true;
  return false;
}

void AtomicFile::discard() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
  if (!temporary_.empty()) ::unlink(osPath(temporary_).c_str());
  open_ = false;
}

bool AtomicFile::write(const std::uint8_t* data, std::size_t size) {
  if (!open_ || failed_) return false;
  while (size > 0) {
    const ssize_t n = ::write(static_cast<int>(handle_), data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return fail();
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool AtomicFile::closeWritten() {
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (!direct_ && ::fsync(fd) != 0) fail();
  if (::close(fd) != 0) fail();
  return !failed_;
}

bool AtomicFile::placeTemporary() {
  const std::string from = osPath(temporary_);
  const std::string to = osPath(destination_);
  const bool placed = overwrite_ == Overwrite::Allowed ? ::rename(from.c_str(), to.c_str()) == 0 : placeNew(from, to);
  if (!placed) {
    targetExisted_ = errno == EEXIST;
    return fail();
  }
  syncFolderOf(destination_);
  return true;
}

CopyResult copyFileAtomically(const std::string& from, const std::string& to, Overwrite overwrite) {
  native::UniqueFile in = native::openFile(from, "rb");
  struct stat source;
  if (!in || ::fstat(::fileno(in.get()), &source) != 0 || !S_ISREG(source.st_mode)) return CopyResult::Failed;
  // The commit checks again; this spares copying a large file for nothing.
  if (overwrite == Overwrite::Never && fileExists(to)) return CopyResult::TargetExists;
  AtomicFile out(to, overwrite);
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) {
    if (!out.write(reinterpret_cast<const std::uint8_t*>(chunk), n)) return CopyResult::Failed;
  }
  if (std::ferror(in.get()) || !out.isOpen()) return CopyResult::Failed;
  // The modification time, as CopyFileA keeps it; nothing written after this.
  const struct timespec times[2] = {source.st_atim, source.st_mtim};
  if (::utimensat(AT_FDCWD, osPath(out.temporaryPath()).c_str(), times, 0) != 0) return CopyResult::Failed;
  if (out.commit()) return CopyResult::Copied;
  return out.targetExisted() ? CopyResult::TargetExists : CopyResult::Failed;
}

}  // namespace qm::platform

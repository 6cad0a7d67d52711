#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/platform/system_message.h"
#include "common/text/encoding.h"
#include "crclib/file_crc.h"
#include "crclib/file_source.h"

namespace qm::crc {
namespace {

class PosixSource : public FileSource {
public:
  explicit PosixSource(int fd) : fd_(fd) {}
  ~PosixSource() override { ::close(fd_); }
  PosixSource(const PosixSource&) = delete;
  PosixSource& operator=(const PosixSource&) = delete;

  // open() takes a folder for reading; only the first read would fail.
  std::optional<std::string> takeSize() {
    struct stat status;
    if (::fstat(fd_, &status) != 0) return platform::systemMessage(errno);
    if (S_ISDIR(status.st_mode)) return platform::systemMessage(EISDIR);
    stamp_.size = static_cast<std::uint64_t>(status.st_size);
    stamp_.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    // A file read in one go gains nothing from the hint, and a registration
    // of many small files pays for the call.
    if (stamp_.size > kReadBlock) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::nullopt;
  }

  std::uint64_t size() const override { return stamp_.size; }
  std::optional<platform::FileStamp> stamp() const override { return stamp_; }

  std::optional<std::string> read(std::uint64_t offset, std::span<unsigned char> into) override {
    while (!into.empty()) {
      const ssize_t n = ::pread(fd_, into.data(), into.size(), static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return platform::systemMessage(errno);
      if (n == 0) return std::string("Reached the end of the file.");  // Windows' text for ERROR_HANDLE_EOF
      into = into.subspan(static_cast<std::size_t>(n));
      offset += static_cast<std::uint64_t>(n);
    }
    return std::nullopt;
  }

private:
  int fd_;
  platform::FileStamp stamp_;
};

}  // namespace

OpenedSource openFileSource(const std::string& path) {
  const int fd = ::open(text::sjisToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {nullptr, platform::systemMessage(errno)};
  auto source = std::make_unique<PosixSource>(fd);
  if (auto error = source->takeSize()) return {nullptr, *error};
  return {std::move(source), {}};
}

}  // namespace qm::crc

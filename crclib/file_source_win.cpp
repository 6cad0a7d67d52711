#include <windows.h>

#include <algorithm>

#include "common/platform/file_stamp_win.h"
#include "common/platform/system_message.h"
#include "common/platform/win_handle_win.h"
#include "crclib/file_source.h"

namespace qm::crc {
namespace {

using platform::systemMessage;
using platform::UniqueHandle;

class WindowsSource : public FileSource {
public:
  WindowsSource(UniqueHandle file, platform::FileStamp stamp) : file_(std::move(file)), stamp_(stamp) {}

  std::uint64_t size() const override { return stamp_.size; }
  std::optional<platform::FileStamp> stamp() const override { return stamp_; }

  std::optional<std::string> read(std::uint64_t offset, std::span<unsigned char> into) override {
    while (!into.empty()) {
      // Positional reads: the offset goes with each call, never a file pointer.
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
      DWORD got = 0;
      if (!ReadFile(file_.get(), into.data(), want, &got, &at)) return systemMessage(GetLastError());
      if (got == 0) return systemMessage(ERROR_HANDLE_EOF);
      into = into.subspan(got);
      offset += got;
    }
    return std::nullopt;
  }

private:
  UniqueHandle file_;
  platform::FileStamp stamp_;
};

}  // namespace

OpenedSource openFileSource(const std::string& path) {
  const HANDLE raw = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return {nullptr, systemMessage(GetLastError())};
  UniqueHandle file(raw);
  // Size and time in one call.
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file.get(), &info)) return {nullptr, systemMessage(GetLastError())};
  return {std::make_unique<WindowsSource>(std::move(file), platform::stampFrom(info)), {}};
}

}  // namespace qm::crc

#include <windows.h>

#include "app/capture/file_time.h"

namespace qm::capture {
namespace {

// FILETIME counts 100 ns from 1601; 1970 is this many of them later.
constexpr std::int64_t kUnixEpoch = 116444736000000000LL;

std::int64_t milliseconds(const FILETIME& t) {
  const std::int64_t ticks = (static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  return (ticks - kUnixEpoch) / 10000;
}

}  // namespace

std::optional<std::int64_t> fileWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return milliseconds(data.ftLastWriteTime);
}

std::int64_t wallClockNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return milliseconds(now);
}

}  // namespace qm::capture

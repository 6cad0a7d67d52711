#include <sys/stat.h>

#include <chrono>

#include "app/capture/file_time.h"
#include "common/text/encoding.h"

namespace qm::capture {

std::optional<std::int64_t> fileWriteTime(const std::string& path) {
  struct stat st;
  if (::stat(text::sjisToUtf8(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

std::int64_t wallClockNow() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace qm::capture

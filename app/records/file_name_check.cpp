#include "app/records/file_name_check.h"

#include <string>

#include "common/text/sjis.h"

namespace qm::records {

namespace {

bool isDeviceName(std::string_view name) {
  const std::string base = sjis::toUpperAscii(name.substr(0, std::min(name.size(), sjis::find(name, '.'))));
  static constexpr const char* kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* device : kDevices)
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
         base[3] <= '9';
}

}  // namespace

bool usableAsFileName(std::string_view name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (std::size_t i = 0; i < name.size(); i = sjis::nextChar(name, i)) {
    if (sjis::charLength(name, i) == 2) continue;
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return !isDeviceName(name);
}

}  // namespace qm::records

#include "app/records/file_name_check.h"

#include <string>

#include "common/platform/device_name.h"
#include "common/text/sjis.h"

namespace qm::records {

bool usableAsFileName(std::string_view name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (std::size_t i = 0; i < name.size(); i = sjis::nextChar(name, i)) {
    if (sjis::charLength(name, i) == 2) continue;
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return !platform::isDeviceName(name);
}

}  // namespace qm::records

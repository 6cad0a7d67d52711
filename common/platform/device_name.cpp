#include "common/platform/device_name.h"

#include <string>

#include "common/text/sjis.h"

namespace qm::platform {

bool isDeviceName(std::string_view fileName) {
  std::string base = sjis::toUpperAscii(fileName.substr(0, sjis::find(fileName, '.')));
  while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.pop_back();
  for (const char* device : {"AUX", "CLOCK$", "CON", "CONFIG$", "NUL", "PRN"})
    if (base == device) return true;
  const bool numbered = base.size() == 4 && base[3] >= '1' && base[3] <= '9';
  return numbered && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0);
}

}  // namespace qm::platform

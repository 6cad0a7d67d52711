#include "app/launch/setting_name.h"

#include <string>

#include "common/text/sjis.h"

namespace qm::launch {
namespace {

constexpr std::string_view kForbidden = "\\/:<>?|*\"\r\n\t";

bool isReservedDevice(std::string_view name) {
  const std::string upper = sjis::toUpperAscii(name);
  if (upper == "AUX" || upper == "CLOCK$" || upper == "CON" || upper == "CONFIG$" || upper == "NUL" ||
      upper == "PRN")
    return true;
  const bool numbered = upper.size() == 4 && upper[3] >= '1' && upper[3] <= '9';
  return numbered && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0);
}

}  // namespace

bool isValidSettingName(std::string_view name, bool allowDot) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); i = sjis::nextChar(name, i)) {
    if (sjis::charLength(name, i) != 1) continue;
    if (kForbidden.find(name[i]) != std::string_view::npos) return false;
    if (name[i] == '.' && !allowDot) return false;
  }
  return !isReservedDevice(name);
}

bool isSafeFileName(std::string_view name) {
  return isValidSettingName(name, true) && name != "." && name != "..";
}

}  // namespace qm::launch

#include "app/launch/setting_name.h"

#include "common/platform/device_name.h"
#include "common/text/sjis.h"

namespace qm::launch {
namespace {

constexpr std::string_view kForbidden = "\\/:<>?|*\"\r\n\t";

}  // namespace

bool isValidSettingName(std::string_view name, bool allowDot) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); i = sjis::nextChar(name, i)) {
    if (sjis::charLength(name, i) != 1) continue;
    if (kForbidden.find(name[i]) != std::string_view::npos) return false;
    if (name[i] == '.' && !allowDot) return false;
  }
  return !platform::isDeviceName(name);
}

bool isSafeFileName(std::string_view name) {
  return isValidSettingName(name, true) && name != "." && name != "..";
}

}  // namespace qm::launch

#include "app/masters/folder_name.h"

#include "common/platform/device_name.h"
#include "common/text/sjis.h"

namespace qm::master {
namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";

bool forbiddenByte(unsigned char c) { return c < 0x20 || kForbidden.find(static_cast<char>(c)) != kForbidden.npos; }

}  // namespace

bool isFolderName(std::string_view name) {
  if (name.empty()) return false;
  std::size_t last = 0;
  for (std::size_t pos = 0; pos < name.size(); pos = sjis::nextChar(name, pos)) {
    if (sjis::charLength(name, pos) == 1 && forbiddenByte(static_cast<unsigned char>(name[pos]))) return false;
    last = pos;
  }
  const bool singleByteEnd = last + 1 == name.size();
  if (singleByteEnd && (name.back() == '.' || name.back() == ' ')) return false;
  return !platform::isDeviceName(name);
}

}  // namespace qm::master

#include "app/masters/folder_name.h"

#include "common/text/sjis.h"

namespace qm::master {
namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";
constexpr std::string_view kDevices[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                         "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                         "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

bool forbiddenByte(unsigned char c) { return c < 0x20 || kForbidden.find(static_cast<char>(c)) != kForbidden.npos; }

// Windows takes "CON.ini" and "CON .x" for the device too.
bool isDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, sjis::find(name, '.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view device : kDevices) {
    if (sjis::equalsIgnoreCaseAscii(base, device)) return true;
  }
  return false;
}

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
  return !isDeviceName(name);
}

}  // namespace qm::master

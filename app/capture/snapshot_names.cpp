#include "app/capture/snapshot_names.h"

#include <cstdio>
#include <string_view>

#include "app/launch/setting_name.h"
#include "common/text/sjis.h"

namespace qm::capture {
namespace {

bool forbidden(unsigned char c) {
  return c < 0x20 || c == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string fileNameFromTitle(const std::string& text) {
  std::string name;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = sjis::charLength(text, i);
    if (length == 1 && forbidden(static_cast<unsigned char>(text[i])))
      name += '_';
    else
      name.append(text, i, length);
    i += length;
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  if (!name.empty() && !launch::isValidSettingName(name, true)) name += '_';
  return name;
}

std::vector<std::string> snapshotNames(int namingMode, const NameSource& source) {
  switch (namingMode) {
    case 1: return {fileNameFromTitle(source.crc32)};
    case 2: return {fileNameFromTitle(source.fileTitle), fileNameFromTitle(source.crc32)};
    case 3: return {fileNameFromTitle(source.title)};
  }
  return {fileNameFromTitle(source.fileTitle)};
}

std::string autoSnapName(int counter) {
  char name[32];
  std::snprintf(name, sizeof name, "AutoSnap%04d", counter);
  return name;
}

}  // namespace qm::capture

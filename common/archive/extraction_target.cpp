#include "common/archive/extraction_target.h"

#include <vector>

#include "common/platform/device_name.h"
#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/text/sjis.h"

namespace qm::archive {
namespace {

std::vector<std::string_view> partsOf(std::string_view name) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = platform::nextSeparator(name, 0); i < name.size(); i = platform::nextSeparator(name, i + 1)) {
    parts.push_back(name.substr(start, i - start));
    start = i + 1;
  }
  parts.push_back(name.substr(start));
  return parts;
}

}  // namespace

bool isUnsafeMemberName(std::string_view name) {
  if (name.empty() || platform::isSeparator(name.front())) return true;
  if (sjis::find(name, ':') != sjis::npos) return true;
  const auto parts = partsOf(name);
  for (std::string_view part : parts) {
    if (part == "..") return true;
  }
  return parts.back().empty() || parts.back() == ".";
}

bool namesDevice(std::string_view memberName) { return platform::isDeviceName(partsOf(memberName).back()); }

std::optional<std::string> extractionTarget(std::string_view folder, std::string_view memberName) {
  if (isUnsafeMemberName(memberName) || namesDevice(memberName)) return std::nullopt;
  return platform::joinPath(folder, partsOf(memberName).back());
}

}  // namespace qm::archive

#include "app/rewrite/include_expansion.h"

#include <vector>

#include "app/launch/emulator_setting.h"
#include "app/launch/path_parts.h"
#include "app/launch/setting_name.h"
#include "app/rewrite/rewrite_script.h"
#include "common/platform/file_attributes.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::rewrite {
namespace {

using text::sjis;

bool isDeviceBase(std::string upper) {
  while (!upper.empty() && (upper.back() == ' ' || upper.back() == '.')) upper.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$", "CONFIG$"})
    if (upper == device) return true;
  const bool numbered = upper.size() == 4 && upper[3] >= '0' && upper[3] <= '9';
  return numbered && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0);
}

// Windows opens a device for a file name whose part before the first dot is
// a device's, in any folder, and for paths under "\\.\" or "\\?\".
bool namesDevice(const std::string& path) {
  if (path.rfind("\\\\.\\", 0) == 0 || path.rfind("\\\\?\\", 0) == 0) return true;
  const std::string name = launch::pathPart(path, launch::PathPiece::FileName);
  const std::size_t dot = name.find('.');
  return isDeviceBase(sjis::toUpperAscii(name.substr(0, dot)));
}

std::vector<std::string> linesOf(std::string_view text) {
  const std::string normalized = normalizeScript(text);
  std::vector<std::string> lines;
  for (std::string_view line : scriptLines(normalized)) lines.emplace_back(line);
  return lines;
}

std::size_t sizeOf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 1;
  return size;
}

bool sameIncludeLine(const std::string& line, const std::string& include) {
  const ScriptLine parsed = parseLine(line);
  return parsed.kind == LineKind::Include && sjis::equalsIgnoreCaseAscii(parsed.text, include);
}

// Every line equal to `include` (letter case ignored) replaced by `content`;
// nothing when the text would outgrow the limit.
bool replaceInclude(std::vector<std::string>& lines, const std::string& include,
                    const std::vector<std::string>& content) {
  std::size_t occurrences = 0;
  for (const std::string& line : lines) occurrences += sameIncludeLine(line, include);
  const std::size_t added = sizeOf(content);
  if (sizeOf(lines) + occurrences * added > kMaxExpandedBytes) return false;
  std::vector<std::string> out;
  for (std::string& line : lines) {
    if (sameIncludeLine(line, include))
      out.insert(out.end(), content.begin(), content.end());
    else
      out.push_back(std::move(line));
  }
  lines = std::move(out);
  return true;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

}  // namespace

std::string includePath(const IncludePlace& place, const std::string& name) {
  std::string path = name;
  if (launch::isValidSettingName(name, true)) {
    if (name.find('.') == std::string::npos) path += ".inc";
    path = platform::joinPath(launch::machineFolder(place.root, place.machine), path);
  }
  return namesDevice(path) ? std::string() : path;
}

std::string expandIncludes(const IncludePlace& place, std::string_view script, RewriteLog& log) {
  std::vector<std::string> lines = linesOf(script);
  int handled = 0;
  std::size_t i = 0;
  while (i < lines.size() && !log.stopped()) {
    const ScriptLine line = parseLine(lines[i]);
    if (line.kind != LineKind::Include) {
      ++i;
      continue;
    }
    if (handled == kMaxIncludes) break;
    ++handled;
    const std::string path = includePath(place, line.value);
    const auto content = path.empty() ? std::nullopt : platform::readWholeFile(path);
    if (!content || content->empty()) {
      if (log.testing())
        log.fault("inc:", (path.empty() ? line.value : path) + sjis("がインクルードできませんでした。スキップされます。"));
      ++i;
      continue;
    }
    if (!replaceInclude(lines, line.text, linesOf(*content))) {
      handled = kMaxIncludes;
      break;
    }
  }
  if (handled == kMaxIncludes)
    log.warning(sjis("警告"), sjis("インクルードが100回を超えました。\nインクルード指定が多すぎるか、永久ループの可能性があります。\n"
                                   "インクルード処理を停止して続行します。"));
  return joined(lines);
}

}  // namespace qm::rewrite


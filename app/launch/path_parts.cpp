#include "app/launch/path_parts.h"

#include "common/text/sjis.h"

namespace qm::launch {
namespace {

using platform::isSeparator;

std::string withoutQuotes(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '"') out += c;
  return out;
}

std::size_t lastDot(std::string_view name) { return sjis::findLast(name, '.'); }

std::string baseName(std::string_view name) {
  const std::size_t dot = lastDot(name);
  if (dot == sjis::npos) return std::string(name);
  const bool onlyDotIsLast = dot + 1 == name.size() && sjis::find(name, '.') == dot;
  return std::string(onlyDotIsLast ? name : name.substr(0, dot));
}

std::string lastFolderName(std::string_view path) {
  const std::size_t sep = lastSeparator(path);
  if (sep == std::string_view::npos) return std::string(path);
  std::string_view folder = path.substr(0, sep);
  const std::size_t before = lastSeparator(folder);
  std::string_view name = before == std::string_view::npos ? folder : folder.substr(before + 1);
  return sjis::find(name, ':') == sjis::npos ? std::string(name) : std::string();
}

bool startsWithParent(std::string_view path) {
  return path.size() >= 3 && path[0] == '.' && path[1] == '.' && isSeparator(path[2]);
}

bool hasParentStep(std::string_view path) {
  return sjis::find(path, "..\\") != sjis::npos || sjis::find(path, "../") != sjis::npos;
}

std::string withoutParentSteps(std::string_view path) {
  return sjis::replaceAll(sjis::replaceAll(path, "..\\", ""), "../", "");
}

}  // namespace

std::string pathPart(std::string_view path, PathPiece piece) {
  const std::size_t sep = lastSeparator(path);
  const std::string_view name = sep == std::string_view::npos ? path : path.substr(sep + 1);
  switch (piece) {
    case PathPiece::FileName:
      return withoutQuotes(name);
    case PathPiece::BaseName:
      return withoutQuotes(baseName(name));
    case PathPiece::Extension: {
      const std::size_t dot = lastDot(name);
      return dot == sjis::npos ? std::string() : withoutQuotes(name.substr(dot + 1));
    }
    case PathPiece::Folder:
      return withoutQuotes(sep == std::string_view::npos ? path : path.substr(0, sep + 1));
    case PathPiece::LastFolderName:
      return withoutQuotes(lastFolderName(path));
  }
  return {};
}

std::string resolveProgramPath(std::string_view programFolder, std::string_view path) {
  if (path.empty() || platform::isAbsolutePath(path)) return std::string(path);
  std::string folder(programFolder);
  while (!folder.empty() && isSeparator(folder.back())) folder.pop_back();
  const char separator = folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos ? '/' : '\\';
  if (!hasParentStep(path)) return folder + separator + std::string(path);
  for (std::string_view rest = path; startsWithParent(rest); rest.remove_prefix(3)) {
    const std::size_t sep = lastSeparator(folder);
    if (sep != std::string::npos && sep > 0) folder.resize(sep);
  }
  return folder + separator + withoutParentSteps(path);
}

}  // namespace qm::launch

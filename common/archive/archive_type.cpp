#include "common/archive/archive_type.h"

#include "common/platform/path_separators.h"
#include "common/text/sjis.h"

namespace qm::archive {
namespace {

constexpr ArchiveType kTypes[] = {ArchiveType::Lzh, ArchiveType::Zip, ArchiveType::Rar, ArchiveType::SevenZip};

// The extension of the last path part; a "." inside a folder name does not count.
std::string_view extensionOf(std::string_view path) {
  std::size_t dot = sjis::npos;
  for (std::size_t i = 0; i < path.size(); i = sjis::nextChar(path, i)) {
    if (path[i] == '.') dot = i;
    if (platform::isSeparator(path[i])) dot = sjis::npos;
  }
  return dot == sjis::npos ? std::string_view() : path.substr(dot + 1);
}

}  // namespace

const char* archiveTypeText(ArchiveType type) {
  switch (type) {
    case ArchiveType::Lzh:
      return "lzh";
    case ArchiveType::Zip:
      return "zip";
    case ArchiveType::Rar:
      return "rar";
    case ArchiveType::SevenZip:
      return "7z";
  }
  return "";
}

std::optional<ArchiveType> archiveTypeFromText(std::string_view type) {
  for (ArchiveType t : kTypes) {
    if (sjis::equalsIgnoreCaseAscii(type, archiveTypeText(t))) return t;
  }
  return std::nullopt;
}

std::optional<ArchiveType> archiveTypeOf(std::string_view path) {
  return archiveTypeFromText(extensionOf(path));
}

}  // namespace qm::archive

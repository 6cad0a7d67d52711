#include "common/archive/archive_versions.h"

#include <archive.h>

#include "common/archive/archive_type.h"

namespace qm::archive {

std::vector<std::string> archiveVersionLines() {
  std::vector<std::string> lines;
  for (ArchiveType type : {ArchiveType::Lzh, ArchiveType::Zip, ArchiveType::Rar, ArchiveType::SevenZip})
    lines.push_back(std::string(archiveTypeText(type)) + "\t\t" + archive_version_string());
  return lines;
}

}  // namespace qm::archive

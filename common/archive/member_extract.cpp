#include "common/archive/member_extract.h"

#include <memory>

#include "common/archive/extraction_target.h"
#include "common/archive/file_sink.h"
#include "common/archive/member_lookup.h"
#include "common/platform/canonical_path.h"

namespace qm::archive {
namespace {

ArchiveError refusedName(const std::string& archivePath, const std::string& name) {
  if (namesDevice(name))
    return ArchiveError{ArchiveErrorKind::UnsafeName, archivePath + ": device name as member name " + name};
  return ArchiveError{ArchiveErrorKind::UnsafeName, archivePath + ": unsafe member name " + name};
}

}  // namespace

ExtractResult extractMember(const std::string& archivePath, std::string_view memberName, const std::string& folder) {
  std::unique_ptr<FileSink> file;
  const SinkOpener open = [&](const Member& member) -> std::variant<MemberSink*, ArchiveError> {
    const auto target = extractionTarget(folder, member.name);
    if (!target) return refusedName(archivePath, member.name);
    // Renamed over the archive, the member would take the archive's place.
    if (platform::sameExistingFile(*target, archivePath))
      return ArchiveError{ArchiveErrorKind::CannotWrite, *target + ": is the archive being read"};
    file = std::make_unique<FileSink>(*target);
    if (!file->isOpen()) return ArchiveError{ArchiveErrorKind::CannotWrite, *target + ": cannot be created"};
    return file.get();
  };
  ExtractResult result;
  result.error = unpackMember(archivePath, memberName, open);
  if (result.error || !file) return result;
  if (!file->commit()) {
    result.error = ArchiveError{ArchiveErrorKind::CannotWrite, file->path() + ": cannot be written"};
    return result;
  }
  result.path = file->path();
  return result;
}

}  // namespace qm::archive

#include "common/archive/member_extract.h"

#include <memory>

#include "common/archive/extraction_target.h"
#include "common/archive/file_sink.h"
#include "common/archive/member_lookup.h"

namespace qm::archive {

ExtractResult extractMember(const std::string& archivePath, std::string_view memberName, const std::string& folder) {
  std::unique_ptr<FileSink> file;
  const SinkOpener open = [&](const Member& member) -> std::variant<MemberSink*, ArchiveError> {
    const auto target = extractionTarget(folder, member.name);
    if (!target)
      return ArchiveError{ArchiveErrorKind::UnsafeName, archivePath + ": unsafe member name " + member.name};
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

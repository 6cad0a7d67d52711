#include "common/archive/member_reader.h"

#include "common/archive/member_lookup.h"

namespace qm::archive {

std::optional<ArchiveError> readMember(const std::string& archivePath, std::string_view memberName,
                                       MemberSink& sink) {
  return unpackMember(archivePath, memberName,
                      [&sink](const Member&) -> std::variant<MemberSink*, ArchiveError> { return &sink; });
}

}  // namespace qm::archive

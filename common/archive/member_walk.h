// Walking an archive's members, optionally unpacking some of them on the way.
// Folders, links and entries without data of their own are not members.
#pragma once

#include <optional>
#include <string>

#include "common/archive/archive_type.h"
#include "common/archive/byte_source.h"
#include "common/archive/member.h"
#include "common/archive/member_sink.h"

namespace qm::archive {

class MemberVisitor {
public:
  virtual ~MemberVisitor() = default;
  // Every member in archive order: a sink for its bytes, or null to pass it by.
  virtual MemberSink* visit(const Member& member) = 0;
  // After a member's bytes went to the sink visit returned; `error` when not
  // all of them did. False ends the walk.
  virtual bool unpacked(const Member& member, const std::optional<ArchiveError>& error) = 0;
  // Asked after each member; false ends the walk.
  virtual bool wantsMore() const { return true; }
};

// One pass over the archive, which one reader reads front to back: a solid
// archive is unpacked once however many members the visitor takes. The error
// is what ended the walk early or spoiled a member's header; errors while
// unpacking go to `unpacked` only, unless the archive broke there.
std::optional<ArchiveError> visitMembers(const std::string& archivePath, MemberVisitor& visitor);
// `label` names the archive in messages.
std::optional<ArchiveError> visitMembers(ArchiveType type, ByteSource& source, const std::string& label,
                                         MemberVisitor& visitor);

WalkResult listMembers(const std::string& archivePath);
WalkResult listMembers(ArchiveType type, ByteSource& source, const std::string& label);

}  // namespace qm::archive

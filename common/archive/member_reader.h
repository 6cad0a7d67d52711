// A member's bytes streamed into a sink, without a temporary file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/archive/member.h"
#include "common/archive/member_sink.h"

namespace qm::archive {

// The member is found by name as member_lookup.h describes. On an error the
// sink may hold part of the bytes.
std::optional<ArchiveError> readMember(const std::string& archivePath, std::string_view memberName,
                                       MemberSink& sink);

}  // namespace qm::archive

// Finding one member by name and unpacking it. The first member with exactly
// the given name wins; failing that, the first equal to it with ASCII letters
// in either case, as the launch looks members up.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "common/archive/member.h"
#include "common/archive/member_sink.h"

namespace qm::archive {

// Gives the sink for the member found, or the error to stop with.
using SinkOpener = std::function<std::variant<MemberSink*, ArchiveError>(const Member&)>;

std::optional<ArchiveError> unpackMember(const std::string& archivePath, std::string_view name,
                                         const SinkOpener& open);

}  // namespace qm::archive

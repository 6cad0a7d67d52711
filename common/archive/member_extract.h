// One member written into a folder (the launch's extract folder).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/archive/member.h"

namespace qm::archive {

struct ExtractResult {
  std::string path;  // the file written; empty on failure
  std::optional<ArchiveError> error;
};

// The member is found by name as member_lookup.h describes and written to the
// place extraction_target.h gives. A file of that name is replaced only by the
// whole member: on failure it stays as it was, and nothing else is left behind.
// A target that is the archive itself is refused.
ExtractResult extractMember(const std::string& archivePath, std::string_view memberName, const std::string& folder);

}  // namespace qm::archive

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
// place extraction_target.h gives, replacing a file of that name. Nothing is
// left behind on failure.
ExtractResult extractMember(const std::string& archivePath, std::string_view memberName, const std::string& folder);

}  // namespace qm::archive

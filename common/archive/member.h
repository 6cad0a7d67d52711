// One member of an archive as the walk reports it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/archive/archive_error.h"

namespace qm::archive {

// The member record's name field holds 513 bytes with the terminating zero.
inline constexpr std::size_t kMaxMemberNameBytes = 512;

struct Member {
  // Program text, the folder parts kept with the separators the archive uses
  // ("/", or "\" in some zip files); cut to kMaxMemberNameBytes on a character
  // boundary. Reading and extraction find members by this very name.
  std::string name;
  // Unpacked size as the archive states it; 0 when it states none. Never used
  // to size a buffer.
  std::uint64_t size = 0;
  // The CRC-32 the archive states for the member without unpacking it: zip
  // members from the central directory. Nothing for the other types.
  std::optional<std::uint32_t> statedCrc32;

  bool operator==(const Member&) const = default;
};

// The members found, in archive order, and what stopped the walk early: a
// damaged archive keeps the members read before the damage.
struct WalkResult {
  std::vector<Member> members;
  std::optional<ArchiveError> error;
};

}  // namespace qm::archive

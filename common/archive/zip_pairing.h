// Pairs libarchive's zip entries with our central directory entries, which
// hold the stored CRC-32 and the name as stored. libarchive gives no offsets,
// so entries meet by name: the directory side predicts what libarchive makes of
// each stored name (member_name.h, zipViewKey).
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/archive/zip_directory.h"

namespace qm::archive {

class ZipPairing {
public:
  ZipPairing() = default;
  explicit ZipPairing(std::vector<ZipDirectoryEntry> entries);

  // The first entry not handed out yet whose name libarchive shows as
  // `utf8View`: by its stored name, else by its Info-ZIP Unicode name, which
  // libarchive prefers in some cases. Null when none is left.
  const ZipDirectoryEntry* take(std::string_view utf8View);

private:
  using Index = std::unordered_map<std::string, std::deque<std::size_t>>;
  const ZipDirectoryEntry* takeFrom(Index& index, const std::string& key);

  std::vector<ZipDirectoryEntry> entries_;
  std::vector<bool> taken_;
  Index byName_;
  Index byUnicodeName_;
};

}  // namespace qm::archive

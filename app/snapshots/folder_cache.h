// Listings of snapshot folders, kept between lookups: moving through the item
// list looks up several names per item in the same few folders, and asking the
// file system each time costs a folder scan per name. A listing is read again
// when the folder's stamp has moved (a file added, removed or renamed). The
// folders used last are kept, a few: items may name folders of their own.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/snapshots/name_rules.h"

namespace qm::snapshots {

class FolderCache {
public:
  // One folder's names, sorted for searching.
  struct Listing {
    std::string folder;
    std::int64_t stamp = 0;
    std::vector<std::string> upperNames;  // sorted, ASCII upper case
    std::vector<std::string> names;       // as stored, in the same order
    std::uint64_t lastUse = 0;
  };

  // The folder's listing, read again when its stamp moved; nothing when the
  // folder is absent. Valid until the next call.
  const Listing* listing(const std::string& folder);

  // As find() below, in a listing already at hand.
  static std::optional<std::string> find(const Listing& listing, const TriedName& name);

  // The path of the first picture in `folder` named `name` plus one of the
  // extensions ".BMP", ".PNG", ".GIF", ".JPG" (tried in that order, ASCII case
  // ignored). Among several prefix matches of one extension the lowest name
  // wins, as Windows lists an NTFS folder. Nothing when the folder is absent.
  std::optional<std::string> find(const std::string& folder, const TriedName& name);

  // How often a folder was read, for tests and the benchmark.
  int listingsRead() const { return listingsRead_; }

  static constexpr std::size_t kFoldersKept = 16;

private:
  std::map<std::string, Listing> folders_;
  std::uint64_t uses_ = 0;
  int listingsRead_ = 0;
};

}  // namespace qm::snapshots

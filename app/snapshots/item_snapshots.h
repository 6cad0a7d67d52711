// What the lookup needs of one item, read from the library in one query.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/snapshots/snapshot_finder.h"
#include "common/db/db_connection.h"

namespace qm::snapshots {

struct ItemSnapshots {
  NameInputs names;
  std::array<SlotSources, kSlotCount> slots;
};

struct ItemLoad {
  std::optional<ItemSnapshots> item;  // nothing when the key is not in the library
  std::optional<std::string> error;   // SQLite's reason when the query failed
};

// `programFolder` anchors relative folders and per-item paths.
ItemLoad loadItemSnapshots(db::DbConnection& db, const std::string& key, const std::string& programFolder);

// `path` as it is when absolute ("C:\x", "\x", "/x"), else under `programFolder`.
std::string resolvePath(const std::string& programFolder, const std::string& path);

}  // namespace qm::snapshots

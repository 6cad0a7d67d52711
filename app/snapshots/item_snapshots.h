// What the lookup needs of one item, read from the library in one query.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/snapshots/picture_fit.h"
#include "app/snapshots/snapshot_finder.h"
#include "common/db/db_connection.h"

namespace qm::snapshots {

struct ItemSnapshots {
  NameInputs names;
  std::array<SlotSources, kSlotCount> slots;
  // The display settings text that applies: the image's own, else its
  // machine's; "" for the program-wide way.
  std::string displayText;
  bool operator==(const ItemSnapshots&) const = default;
};

struct ItemLoad {
  std::optional<ItemSnapshots> item;  // nothing when the key is not in the library
  std::optional<std::string> error;   // SQLite's reason when the query failed
};

// `programFolder` anchors relative folders and per-item paths.
ItemLoad loadItemSnapshots(db::DbConnection& db, const std::string& key, const std::string& programFolder);

// The same from the item list's row, without a query: `cell(name)` gives the
// row's value of list_view column `name` ("file_name", "crc32", "snap1", ...).
ItemSnapshots itemSnapshotsOfRow(const std::function<std::string(std::string_view column)>& cell,
                                 const std::string& programFolder);

// How a display settings text fits pictures into the information view: "A"
// fills the whole area, anything else fits them inside at their own shape.
FitMode displayFit(std::string_view displayText);

// `path` as it is when absolute ("C:\x", "\x", "/x"), else under `programFolder`.
std::string resolvePath(const std::string& programFolder, const std::string& path);

}  // namespace qm::snapshots

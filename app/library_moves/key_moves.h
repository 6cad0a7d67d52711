// Moving image keys: every file_name holding a text gets it replaced, and the
// rows that name those keys follow in the same transaction: the eight side
// tables, the set links (ply_file_name) and the alter egos' parent links
// (ply_pfile_ae). Each table is changed by one statement that looks the old
// key up in a temporary table of moves, so a side row moves exactly once
// whatever triggers exist and however often the run is repeated.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/db/db_connection.h"

namespace qm::moves {

struct KeyMoveFailure {
  std::string collision;  // the key two images would share (program text), or ""
  std::string error;      // SQLite's error text otherwise
  std::string emptied;    // a key the replacement would leave empty (program text), or ""
};

// On `db` inside the caller's transaction; `machine` "" moves the keys of
// every machine. Keys whose name part changes get their file_title, file_ext
// and file_arc_* columns made again as a registration makes them. Nothing on
// success; on failure the caller rolls back.
std::optional<KeyMoveFailure> moveKeys(db::DbConnection& db, const std::string& from, const std::string& to,
                                       const std::string& machine, int* moved = nullptr);

struct KeyMove {
  std::string from, to;  // program text
};

// The same for keys given one by one: each `from` becomes its `to`. A key not
// in the library moves nothing.
std::optional<KeyMoveFailure> moveKeyPairs(db::DbConnection& db, const std::vector<KeyMove>& moves,
                                           int* moved = nullptr);

}  // namespace qm::moves

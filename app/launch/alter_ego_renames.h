// The names alter-ego files carry while their emulator runs, kept in
// `ren_file_name` of alter_ego_table: those files live on in the user's
// alter-ego folder, so a launch cut short by a crash or a power cut must
// still find them, and the next launch of the item puts them back first.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qm::db {
class DbConnection;
}

namespace qm::launch {

// Records each (ae_file, renamed) pair; the engine's message when one failed.
std::optional<std::string> recordAlterEgoRenames(db::DbConnection& db,
                                                 const std::vector<std::pair<std::string, std::string>>& renames);

// Moves back every file of the item (`pfile_ae` or `ply_pfile_ae` = key)
// still recorded as renamed, where the renamed file is there and the
// original name free, then clears the records. The engine's message when
// the rows could not be read or cleared.
std::optional<std::string> restoreAlterEgoRenames(db::DbConnection& db, const std::string& key);

}  // namespace qm::launch

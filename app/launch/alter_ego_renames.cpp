#include "app/launch/alter_ego_renames.h"

#include "common/db/db_connection.h"
#include "common/platform/files.h"

namespace qm::launch {

using db::sqlText;

std::optional<std::string> recordAlterEgoRenames(db::DbConnection& db,
                                                 const std::vector<std::pair<std::string, std::string>>& renames) {
  for (const auto& [original, renamed] : renames) {
    if (auto error = db.execute("UPDATE alter_ego_table SET ren_file_name=" + sqlText(renamed) +
                                " WHERE ae_file=" + sqlText(original) + " ;"))
      return error;
  }
  return std::nullopt;
}

std::optional<std::string> restoreAlterEgoRenames(db::DbConnection& db, const std::string& key) {
  const std::string ofItem = " WHERE pfile_ae =" + sqlText(key) + " OR ply_pfile_ae =" + sqlText(key);
  if (auto error = db.execute("SELECT ae_file, ren_file_name FROM alter_ego_table" + ofItem)) return error;
  std::vector<std::pair<std::string, std::string>> renamed;
  for (int row = 1; row <= db.rowCount(); ++row)
    if (!db.cell(row, 1).empty()) renamed.emplace_back(db.cell(row, 0), db.cell(row, 1));
  if (renamed.empty()) return std::nullopt;
  for (const auto& [original, current] : renamed) {
    if (platform::fileExists(current) && !platform::fileExists(original)) platform::moveFile(current, original);
  }
  return db.execute("UPDATE alter_ego_table SET ren_file_name=''" + ofItem + " ;");
}

}  // namespace qm::launch

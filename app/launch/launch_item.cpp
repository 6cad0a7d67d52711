#include "app/launch/launch_item.h"

#include <cmath>
#include <cstdlib>

#include "common/db/db_connection.h"

namespace qm::launch {

bool isSetParent(const LaunchItem& item) { return item.ply == "1"; }

bool launchesAlterEgo(const LaunchItem& item) {
  return std::lround(std::strtod(item.alterEgo.c_str(), nullptr)) == 1;
}

int launchedDiskCount(const std::string& dbPath, const LaunchItem& item) {
  int count = item.maxDisk;
  if (isSetParent(item)) {
    db::DbConnection db;
    db.open(dbPath);
    const std::string sql =
        "SELECT max(CAST(ply AS INTEGER)) FROM main_table WHERE ply_file_name=" + db::sqlText(item.fileName) + ";";
    if (!db.execute(sql) && db.rowCount() == 1 && !db.cell(1, 0).empty())
      count = std::atoi(db.cell(1, 0).c_str());
  }
  return count < 1 ? 1 : count;
}

std::optional<LaunchItem> loadLaunchItem(const std::string& dbPath, const std::string& key, std::string* error) {
  db::DbConnection db;
  db.open(dbPath);
  const std::string sql =
      "SELECT file_name, machine_name, title, maker, developer, ply, file_title, file_ext, file_arc_title, "
      "file_arc_ext, crc32, alter_ego, play_time, emuset_name, maxdisk FROM main_table "
      "LEFT JOIN alter_ego_table ON file_name = pfile_ae LEFT JOIN tmp_maxdisk ON file_name = pfile_md_tmp "
      "LEFT JOIN use_emuset_table ON file_name = pfile_ue WHERE file_name=" + db::sqlText(key) + " ;";
  if (auto failed = db.execute(sql)) {
    if (error) *error = *failed;
    return std::nullopt;
  }
  if (db.rowCount() < 1) return std::nullopt;
  LaunchItem item;
  std::string* fields[] = {&item.fileName, &item.machineName, &item.title,    &item.maker,      &item.developer,
                           &item.ply,      &item.fileTitle,   &item.fileExt,  &item.fileArcTitle, &item.fileArcExt,
                           &item.crc32,    &item.alterEgo,    &item.playTime, &item.emusetName};
  for (int column = 0; column < static_cast<int>(std::size(fields)); ++column) *fields[column] = db.cell(1, column);
  item.maxDisk = std::atoi(db.cell(1, 14).c_str());
  return item;
}

}  // namespace qm::launch

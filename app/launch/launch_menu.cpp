#include "app/launch/launch_menu.h"

#include "common/db/db_connection.h"
#include "common/text/sjis.h"

namespace qm::launch {

std::vector<SettingMenuEntry> settingMenuEntries(const std::vector<std::string>& names,
                                                 const std::string& defaultName, const std::string& emusetName) {
  const std::string& current = emusetName.empty() ? defaultName : emusetName;
  std::vector<SettingMenuEntry> entries;
  for (const std::string& name : names) {
    if (static_cast<int>(entries.size()) == kMaxMenuEntries) break;
    entries.push_back({name, !defaultName.empty() && sjis::equalsIgnoreCaseAscii(name, defaultName),
                       !current.empty() && sjis::equalsIgnoreCaseAscii(name, current)});
  }
  return entries;
}

std::vector<std::string> imageMenuLabels(const std::string& dbPath, const LaunchItem& parent) {
  std::vector<std::string> labels{parent.fileArcTitle.empty() ? parent.fileTitle : parent.fileArcTitle};
  db::DbConnection db;
  db.open(dbPath);
  if (db.execute("SELECT file_title, file_arc_title FROM main_table WHERE ply_file_name=" +
                 db::sqlText(parent.fileName) + " ORDER BY ply, file_name ;"))
    return labels;
  for (int row = 1; row <= db.rowCount() && static_cast<int>(labels.size()) < kMaxMenuEntries; ++row) {
    const std::string arcTitle = db.cell(row, 1);
    labels.push_back(arcTitle.empty() ? db.cell(row, 0) : arcTitle);
  }
  return labels;
}

}  // namespace qm::launch

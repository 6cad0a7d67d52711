#include "app/snapshots/item_snapshots.h"

#include "common/platform/files.h"
#include "common/platform/path_separators.h"

namespace qm::snapshots {

std::string resolvePath(const std::string& programFolder, const std::string& path) {
  if (path.empty()) return {};
  return platform::isAbsolutePath(path) ? path : platform::joinPath(programFolder, path);
}

ItemSnapshots itemSnapshotsOfRow(const std::function<std::string(std::string_view column)>& cell,
                                 const std::string& programFolder) {
  ItemSnapshots item;
  item.names = nameInputs(cell("file_name"), cell("crc32"), cell("title"));
  constexpr const char* kOwn[kSlotCount] = {"snap1", "snap2", "snap3"};
  constexpr const char* kFolders[kSlotCount] = {"snap_path", "snap_path2", "snap_path3"};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    item.slots[slot].itemPath = resolvePath(programFolder, cell(kOwn[slot]));
    item.slots[slot].machineFolder = resolvePath(programFolder, cell(kFolders[slot]));
  }
  item.displayText = cell("snap_dtt");
  if (item.displayText.empty()) item.displayText = cell("snap_dtm");
  return item;
}

FitMode displayFit(std::string_view displayText) {
  return !displayText.empty() && displayText[0] == 'A' ? FitMode::Full : FitMode::KeepRatio;
}

ItemLoad loadItemSnapshots(db::DbConnection& db, const std::string& key, const std::string& programFolder) {
  const std::string sql =
      "SELECT m.crc32, m.title, s.snap1, s.snap2, s.snap3, i.snap_path, i.snap_path2, i.snap_path3, s.snap_dtt, "
      "i.snap_dtm "
      "FROM main_table m LEFT JOIN snap_path_table s ON s.pfile_sp=m.file_name "
      "LEFT JOIN machine_info_table i ON i.machine=m.machine_name WHERE m.file_name=" +
      db::sqlText(key) + " LIMIT 1;";
  ItemLoad load;
  if (auto error = db.execute(sql)) {
    load.error = std::move(error);
    return load;
  }
  if (db.rowCount() < 1) return load;
  ItemSnapshots item;
  item.names = nameInputs(key, db.cell(1, 0), db.cell(1, 1));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    item.slots[slot].itemPath = resolvePath(programFolder, db.cell(1, 2 + slot));
    item.slots[slot].machineFolder = resolvePath(programFolder, db.cell(1, 5 + slot));
  }
  item.displayText = db.cell(1, 8);
  if (item.displayText.empty()) item.displayText = db.cell(1, 9);
  load.item = std::move(item);
  return load;
}

}  // namespace qm::snapshots

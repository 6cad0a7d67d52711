#include "common/run/machine_list.h"

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/run/run_steps.h"

namespace qm::maintenance {

std::vector<std::string> machineListEntries(const std::string& dbPath) {
  std::vector<std::string> entries{everyMachineText()};
  if (!platform::fileExists(dbPath)) return entries;  // looking must not create it
  db::DbConnection db;
  db.open(dbPath);
  if (db.execute("SELECT machine FROM machine_info_table ORDER BY machine ;")) return entries;
  for (int row = 1; row <= db.rowCount(); ++row) entries.push_back(db.cell(row, 0));
  return entries;
}

MachineChoice machineChoiceAt(int index, const std::string& text) {
  if (index == 0) return MachineChoice::everyMachine();
  return MachineChoice::only(index < 0 ? std::string() : text);
}

}  // namespace qm::maintenance

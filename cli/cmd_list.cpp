#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "common/db/db_connection.h"

namespace qm::cli {

int runList(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine"});
  if (!args.positional.empty() || !args.flags.empty()) {
    printError("usage: quillmoor-cli list [--db PATH] [--machine NAME]");
    return 2;
  }
  const std::string dbPath = databasePath(args);
  if (!libraryExists(dbPath)) return 1;
  db::DbConnection db;
  db.open(dbPath);
  std::string sql = "SELECT file_name, title, ply, ply_file_name, crc32, crc FROM main_table";
  if (args.options.contains("--machine")) {
    sql += " WHERE machine_name='" + db::DbConnection::quoteSql(args.get("--machine")) + "'";
  }
  if (auto error = db.execute(sql + " ORDER BY file_name;")) {
    printError("error: " + dbPath + ": " + *error);
    return 1;
  }
  for (int row = 1; row <= db.rowCount(); ++row) {
    std::string line;
    for (int column = 0; column < 6; ++column) {
      if (column) line += '\t';
      line += db.cell(row, column);
    }
    printLine(line);
  }
  return 0;
}

}  // namespace qm::cli

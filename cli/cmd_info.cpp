#include "cli/cli.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"

namespace qm::cli {

int runInfo(const std::vector<std::string>& argv) {
  Arguments args = parseArguments(argv, {"--db"});
  const std::string path = databasePath(args);
  // Opening would create a missing file; info never changes anything.
  if (!platform::fileExists(path)) {
    printError("error: no database at " + path);
    return 1;
  }
  db::DbConnection db;
  db.open(path);
  struct Figure {
    const char* label;
    const char* sql;
  };
  const Figure figures[] = {
      {"schema version", "SELECT ver FROM qlm_table ;"},
      {"titles", "SELECT count(*) FROM main_table WHERE ply<2;"},
      {"images", "SELECT count(*) FROM main_table;"},
      {"machines", "SELECT count(*) FROM machine_info_table;"},
      {"media", "SELECT count(*) FROM media_info_table;"},
      {"genres", "SELECT count(*) FROM genre_info_table;"},
      {"marks", "SELECT count(*) FROM adultex_info_table;"},
  };
  for (const auto& figure : figures) {
    if (auto error = db.execute(figure.sql)) {
      printError("error: " + path + ": " + *error);
      return 1;
    }
    printLine(std::string(figure.label) + ": " + (db.rowCount() > 0 ? db.cell(1, 0) : std::string("0")));
  }
  return 0;
}

}  // namespace qm::cli

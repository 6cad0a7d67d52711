#include "app/maintenance/saved_search_view.h"

#include "common/db/db_connection.h"
#include "common/platform/ini.h"

namespace qm::maintenance {

void SavedSearchView::refresh() {
  error_.reset();
  const std::string statement = platform::IniFile(settingsPath_).getString("LastQuery", "SQL1");
  if (statement.empty()) return;
  db::DbConnection db;
  db.open(dbPath_);
  db.execute("DROP VIEW list_view;");
  error_ = db.execute(statement);
}

}  // namespace qm::maintenance

#include "app/maintenance/saved_search_view.h"

#include "app/item_list/list_view_sql.h"
#include "app/search/view_statement_check.h"
#include "app/settings/settings_catalogue.h"
#include "common/db/db_connection.h"
#include "common/db/statement_check.h"
#include "common/platform/ini.h"

namespace qm::maintenance {

void SavedSearchView::refresh() {
  error_.reset();
  // Read whole, not through readText: a statement past the window's limit is
  // still the one the checker below judges.
  const SettingDef& saved = settingDef(Setting::LastQuerySql1);
  std::string statement = platform::IniFile(settingsPath_).getString(saved.section, saved.key);
  if (statement.empty()) return;
  // The file is plain text anyone can edit: as at the program's start, only
  // our own view with a read-only WHERE is run, otherwise the whole library.
  db::StatementChecker checker;
  if (!checker.open(dbPath_) || !search::isTrustedViewStatement(statement, checker))
    statement = search::viewStatementWithoutSearch();
  checker.close();
  db::DbConnection db;
  db.open(dbPath_);
  error_ = search::remakeListView(db, statement);
}

}  // namespace qm::maintenance

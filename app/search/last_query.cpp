#include "app/search/last_query.h"

#include "app/settings/settings.h"

namespace qm::search {

namespace {

constexpr Setting kLastQueryKeys[] = {
    Setting::LastQuerySql1,       Setting::LastQuerySql2,       Setting::LastQuerySql3,
    Setting::LastQueryPrimaryKey, Setting::LastQuerySortColumn, Setting::LastQuerySortOrder,
};

}  // namespace

RestoredQuery restoredQuery(const Settings& settings) {
  RestoredQuery restored;
  restored.statements.view = settings.text(Setting::LastQuerySql1);
  restored.statements.search = settings.text(Setting::LastQuerySql3);
  restored.primaryKey = settings.text(Setting::LastQueryPrimaryKey);
  return restored;
}

bool resetLastQueryWhenFlagged(Settings& settings, const platform::IniFile& ini) {
  if (readNumber(ini, Setting::ListDispEmuSetName) != -1) return false;
  settings.setNumber(Setting::ListDispEmuSetName, 0);
  writeValue(ini, settings, Setting::ListDispEmuSetName);
  const Settings defaults;
  for (Setting key : kLastQueryKeys) {
    settings.setNumber(key, defaults.number(key));
    settings.setText(key, defaults.text(key));
    writeValue(ini, settings, key);
  }
  return true;
}

void rememberQuery(Settings& settings, const ListStatements& statements, const std::string& primaryKey,
                   const SortState& sort, bool readingSort) {
  settings.setText(Setting::LastQuerySql1, statements.view);
  settings.setText(Setting::LastQuerySql3, statements.search);
  settings.setText(Setting::LastQueryPrimaryKey, primaryKey);
  settings.setNumber(Setting::LastQuerySortColumn, sort.currentColumn());
  settings.setNumber(Setting::LastQuerySortOrder, sort.currentDirection());
  settings.setNumber(Setting::ItemListReadingSort, readingSort ? 1 : 0);
}

}  // namespace qm::search

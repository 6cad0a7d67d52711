#include <cstdlib>

#include "app/maintenance/saved_search_view.h"
#include "app/search/item_list.h"
#include "app/search/list_view_sql.h"
#include "app/search/search_library.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/migemo_console.h"
#include "common/db/db_connection.h"
#include "common/db/statement_check.h"
#include "common/text/reading_settings.h"

namespace qm::cli {
namespace {

constexpr const char* kUsage =
    "usage: quillmoor-cli search [--db PATH] --mode N [--match K] [--migemo] TEXT";

bool parseNumber(const std::string& text, int low, int high, int& value) {
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end || number < low || number > high) return false;
  value = static_cast<int>(number);
  return true;
}

}  // namespace

// The titles a search of the search bar lists, in the list's order.
int runSearch(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--mode", "--match"});
  search::SearchRequest request;
  if (args.positional.size() != 1 || !parseNumber(args.get("--mode"), 0, search::kMakerLinkMode, request.mode) ||
      !parseNumber(args.get("--match", "0"), 0, 2, request.match)) {
    printError(kUsage);
    return 2;
  }
  for (const std::string& flag : args.flags) {
    if (flag != "--migemo") {
      printError(kUsage);
      return 2;
    }
  }
  const std::string dbPath = databasePath(args);
  if (!libraryExists(dbPath)) return 1;
  request.text = args.positional[0];
  const platform::IniFile ini(settingsPathFor(dbPath));
  request.tables = text::loadSymbolTables(ini);

  search::SearchSettings settings;
  settings.migemoOn = args.has("--migemo");
  settings.classLimit = ini.getInt("Migemo", "SearchClassLimit", 0);
  std::unique_ptr<search::MigemoSource> migemo;
  if (settings.migemoOn && !(migemo = openConsoleMigemo())) return 1;

  db::DbConnection db;
  db.open(dbPath);
  db::StatementChecker checker;
  checker.open(dbPath);
  ConsoleSink sink(false);
  search::ItemList items(db, checker, sink);
  const search::SearchOutcome outcome = search::searchLibrary(items, request, settings, migemo.get(), sink);
  if (!outcome.note.empty()) printError(outcome.note);
  for (int item = 0; outcome.result >= 0 && item < items.rowCount(); ++item) printLine(items.cell(item, search::kViewTitle));
  // The library file keeps the program's own view, as it last left it.
  if (outcome.viewChanged) maintenance::SavedSearchView(dbPath, settingsPathFor(dbPath)).refresh();
  return outcome.result < 0 ? 1 : 0;
}

}  // namespace qm::cli

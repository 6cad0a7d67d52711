#include <cstdlib>

#include "app/item_list/item_list.h"
#include "app/item_list/list_view_sql.h"
#include "app/search/search_library.h"
#include "app/settings/settings.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/migemo_console.h"
#include "cli/search_titles.h"
#include "common/db/db_connection.h"
#include "common/db/statement_check.h"
#include "common/db/write_transaction.h"
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

// list_view as the library holds it: its statement, or "" when it has none.
// Nothing when the library cannot be read.
std::optional<std::string> storedView(db::DbConnection& db) {
  if (db.execute("SELECT sql FROM sqlite_master WHERE type='view' AND name='list_view';")) return std::nullopt;
  return db.rowCount() > 0 ? db.cell(1, 0) : std::string();
}

// The search's view goes again: the program finds the view it left.
bool restoreView(db::DbConnection& db, const std::string& statement) {
  const auto error = db::inWriteTransaction(db, [&]() -> std::optional<std::string> {
    if (auto dropped = db.execute("DROP VIEW IF EXISTS list_view;")) return dropped;
    if (statement.empty()) return std::nullopt;
    return db.execute(statement);
  });
  if (error) printError("error: list_view could not be put back: " + *error);
  return !error;
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
  settings.classLimit = readNumber(ini, Setting::MigemoSearchClassLimit);
  std::unique_ptr<search::MigemoSource> migemo;
  if (settings.migemoOn && !(migemo = openConsoleMigemo())) return 1;

  db::DbConnection db;
  db.open(dbPath);
  const std::optional<std::string> view = storedView(db);
  if (!view) {
    printError("error: " + dbPath + ": list_view cannot be read");
    return 1;
  }
  // The list reads from the view, as after the program's start; made before
  // the checker opens, so that it knows the view.
  if (view->empty() && db.execute(search::viewStatementWithoutSearch())) {
    printError("error: " + dbPath + ": list_view cannot be made");
    return 1;
  }
  db::StatementChecker checker;
  checker.open(dbPath);
  ConsoleSink sink(false);
  search::ItemList items(db, checker, sink);
  const search::SearchOutcome outcome =
      search::changeViewForSearch(items, request, settings, migemo.get(), sink);
  // SQLite sorts the rows: the list's in-memory keys pay off only over many sorts.
  const SearchTitles listed =
      outcome.viewChanged ? listSearchTitles(db, items, outcome.sort, sink) : SearchTitles{outcome.result, true, {}};
  if (!outcome.note.empty()) printError(outcome.note);
  if (!listed.titled)
    printError("error: an SQL search lists titles: its first column must be title, or its columns those of "
               "list_view (SELECT * FROM list_view ...)");
  for (const std::string& title : listed.titles) printLine(title);
  // The library keeps the view the program last left, or none as a fresh one.
  const bool restored = (!outcome.viewChanged && !view->empty()) || restoreView(db, *view);
  return listed.result < 0 || !listed.titled || !restored ? 1 : 0;
}

}  // namespace qm::cli

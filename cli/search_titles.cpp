#include "cli/search_titles.h"

#include "app/item_list/list_statement.h"
#include "app/item_list/list_view_sql.h"
#include "common/text/sjis.h"

namespace qm::cli {
namespace {

constexpr std::string_view kAllColumns = "SELECT * FROM list_view";

// The list statement reading the title alone where its rows are list_view's
// own, sorted by the list's columns: no other column goes through the joins
// and into SQLite's sorter. Empty for any other statement, which runs as it is.
std::string titleOnlyStatement(const search::ListStatements& statements, const search::SortState& sort,
                               const std::string& listStatement) {
  const bool viewRows =
      statements.search.empty() ? statements.group.empty()
                                : !sort.keepsStatementOrder() && search::searchRowStatement(statements).has_value();
  if (!viewRows || listStatement.size() < kAllColumns.size() ||
      !sjis::equalsIgnoreCaseAscii(std::string_view(listStatement).substr(0, kAllColumns.size()), kAllColumns))
    return {};
  return "SELECT title FROM list_view" + listStatement.substr(kAllColumns.size());
}

// Where an SQL search's rows hold the title: the first column when it is named
// so, else the view's own title position (SELECT * FROM list_view); -1 for neither.
int titleColumn(const db::RowValues& row) {
  const auto isTitle = [&](int c) {
    return c < row.columnCount() && sjis::equalsIgnoreCaseAscii(row.name(c), "title");
  };
  return isTitle(0) ? 0 : isTitle(search::kViewTitle) ? search::kViewTitle : -1;
}

}  // namespace

SearchTitles listSearchTitles(db::DbConnection& db, search::ItemList& items, const search::SortRequest& request,
                              platform::MessageSink& sink) {
  SearchTitles listed;
  search::SortState sort = items.sortState();
  sort.apply(request.column, request.mode, items.readingSort());
  const search::ListStatements& statements = items.statements();
  const std::string statement = search::listStatement(statements, search::sortListFor(sort, statements));
  const bool sqlSearch = !statements.search.empty();
  // The typed text is in it: checked as the list checks its own statement.
  if (sqlSearch) {
    if (const db::StatementCheck check = items.checker().check(statement); !check.ok()) {
      search::reportListFailure(sink, search::refusalText(check), statement, true);
      return listed;
    }
  }
  const std::string titleOnly = titleOnlyStatement(statements, sort, statement);
  int column = titleOnly.empty() ? -1 : 0;
  auto error = db.readRowsUtf8(db::DbConnection::toUtf8(titleOnly.empty() ? statement : titleOnly),
                               [&](const db::RowValues& row) {
                                 if (column < 0 && (column = titleColumn(row)) < 0) {
                                   listed.titled = false;
                                   return false;
                                 }
                                 listed.titles.push_back(db::DbConnection::fromUtf8(row.utf8(column)));
                                 return true;
                               });
  if (error) {
    search::reportListFailure(sink, *error, statement, sqlSearch);
    listed.titles.clear();
    return listed;
  }
  listed.result = listed.titles.empty() && listed.titled ? 0 : 1;
  return listed;
}

}  // namespace qm::cli

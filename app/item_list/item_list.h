// The item list's data side: the list connection's result, the sort, and the
// three statements; what the window's owner-data list view draws from.
//
// The window code calls sort() for a header click (then sets the item count
// to rowCount()), recreateView() when edits must show, findItem() to put the
// cursor back on an item by its file_name, and fileNameAt() to remember the
// current one. Every typed statement runs only when it is exactly one
// read-only query (runReadOnly); anything else is refused with a message.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/item_list/group_pane.h"
#include "app/item_list/list_statement.h"
#include "app/item_list/row_keys.h"
#include "app/item_list/sort_state.h"
#include "app/item_list/text_condition.h"
#include "common/db/statement_check.h"
#include "common/platform/message_sink.h"

namespace qm::db {
class DbConnection;
}

namespace qm::search {

// Runs `sql` on `db` once `checker` finds it to be exactly one read-only
// query. Nothing on success, else the reason (SQLite's text or ours).
std::optional<std::string> runReadOnly(db::DbConnection& db, const db::StatementChecker& checker,
                                       std::string_view sql);
// Our reason for a refused statement (program text).
std::string refusalText(const db::StatementCheck& check);

// The two boxes of a failed list statement: the reason, then the statement.
void reportListFailure(platform::MessageSink& sink, const std::string& reason, const std::string& statement,
                       bool sqlSearch);

class ItemList {
public:
  ItemList(db::DbConnection& list, const db::StatementChecker& checker, platform::MessageSink& sink)
      : list_(list), checker_(checker), sink_(sink) {}

  ListStatements& statements() { return statements_; }
  const db::StatementChecker& checker() const { return checker_; }
  const SortState& sortState() const { return sort_; }
  bool readingSort() const { return readingSort_; }
  void setReadingSort(bool on) { readingSort_ = on; }

  // A sort request (column 0..17 or kResetSort, kSortAgain,
  // kKeepStatementOrder): builds and runs the list statement. False when it
  // failed (reported); the sort state has changed all the same.
  bool sort(int column, SortMode mode);
  // The list statement last run or tried.
  const std::string& lastStatement() const { return lastStatement_; }

  // A search's new view: drops list_view and creates it with `statement`
  // (exactly one statement) in one transaction and, with `probe`, reads its
  // first row (whether it lists any, and whether a regular expression in it
  // fails, which shows only when rows are read). When anything fails the old view comes back and the statements stay
  // as they were; otherwise `statement` is the view statement, the group
  // statement is empty and the kept keys are forgotten.
  struct ViewChange {
    std::optional<std::string> error;  // SQLite's text (program text)
    bool hasRows = false;
  };
  // `condition`, when given, is the view's WHERE as tests of texts: the
  // search's rows are then found in memory rather than by reading the view.
  ViewChange replaceView(const std::string& statement, bool probe = true, const TextCondition* condition = nullptr);

  // Drops list_view and runs the view statement again. False when it failed
  // (reported as "検索ができませんでした。").
  bool recreateView();
  // Counts the successful recreateView calls, which follow every change of the
  // library: the status bar's title count (a count over all of main_table)
  // is taken again only then, never for a search (replaceView).
  int viewGeneration() const { return viewGeneration_; }
  // The texts searches test can be read on another connection (a worker,
  // search_texts_reader.h) while the list is shown: the library's keys they
  // are kept under and the library's state then. Nothing when they are held
  // already, or no keys are.
  struct TextsJob {
    std::shared_ptr<const RowKeys> library;
    std::pair<std::int64_t, std::int64_t> state;
  };
  std::optional<TextsJob> textsJob();
  // Keeps texts read for `job`; false (and they go) when the library changed meanwhile.
  bool adoptTexts(const TextsJob& job, SearchTexts texts);
  // How many lists were found through a view's condition, not by reading the view.
  int conditionLists() const { return conditionLists_; }
  // How many group lists were found among the view's rows held, not by reading the view.
  int groupLists() const { return groupLists_; }

  int rowCount() const;
  // Item index (0-based) of the first row whose file_name is `fileName`
  // (exact, case-sensitive), or -1.
  int findItem(std::string_view fileName) const;
  std::string fileNameAt(int item) const;
  // The title of item `item` as UTF-8, from what the list holds.
  std::string titleUtf8(int item) const;
  // A cell of item `item` by list_view position, program text.
  std::string cell(int item, int viewColumn) const;
  // Changes the value item `item` shows in a list_view column (program text),
  // after the library took the same change: a quick mark redraws its row
  // without reading the list again. Kept until the list is read again.
  void setShownCell(int item, int viewColumn, const std::string& value);

  // The group pane's values of a kind over the whole view, or over an SQL
  // search's rows, as its distinct value query gives them (program text),
  // from the kept keys; nothing when they are not kept (run the query then).
  std::optional<std::vector<std::string>> groupValues(GroupKind kind);

private:
  bool sortInMemory(const std::string& keyStatement);
  bool sortSearchInMemory();
  bool ourView() const;
  // The keys of the rows `rowStatement` lists (every item of the library for
  // an empty one), taken from the library's kept keys (read first when not
  // kept). Nothing when that failed (`error` says why, when SQLite did) or
  // the view lists an item the library's keys lack.
  std::shared_ptr<const RowKeys> rowsFromLibrary(const std::string& rowStatement, std::optional<std::string>& error);
  // The view's rows by its condition; nothing when there is none, or it
  // cannot be answered (the view is read then).
  std::shared_ptr<const RowKeys> rowsFromCondition();
  // The rows of a group of the pane among the view's rows; nothing when
  // they are not held or the statement is not of the pane's making.
  std::shared_ptr<const RowKeys> rowsOfGroup(const std::string& group);
  bool readLibrary(std::optional<std::string>& error);
  void useRows(std::shared_ptr<const RowKeys> keys, const std::string& key);
  // Forgets every kept key once the library is not as it was when they were read.
  void checkLibraryState();
  std::pair<std::int64_t, std::int64_t> libraryState();
  void forgetRows();
  const std::vector<std::string>& rowValues(int item) const;

  db::DbConnection& list_;
  const db::StatementChecker& checker_;
  platform::MessageSink& sink_;
  ListStatements statements_;
  SortState sort_;
  bool readingSort_ = false;
  std::string lastStatement_;
  std::string shownStatement_;  // the statement whose result the list connection holds for the list
  int viewGeneration_ = 0;
  int conditionLists_ = 0;
  int groupLists_ = 0;

  // Without an SQL search, or with one that only narrows the view, the list is
  // sorted in memory (row_keys.h): the keys of every item of the library are
  // read once and kept until the library changes; a view, a group or a search
  // reads only which items it lists. The values of a row are read only when
  // it is shown. With any other SQL search, the list statement's whole result
  // is the list connection's result table.
  bool inMemory_ = false;
  std::shared_ptr<const RowKeys> library_;
  SearchTexts texts_;  // of library_'s rows
  std::optional<TextCondition> viewCondition_;
  std::string conditionView_;  // the view statement viewCondition_ is of
  std::shared_ptr<const RowKeys> allRows_;
  std::shared_ptr<const RowKeys> rows_;
  std::string rowsKey_;  // the group statement or the search's row statement rows_ are of
  std::vector<int> order_;  // item -> row of rows_
  std::pair<std::int64_t, std::int64_t> keptState_{-1, -1};  // data_version and changes the keys are of
  mutable std::unordered_map<int, std::vector<std::string>> values_;  // row -> list_view values, UTF-8
  // With an SQL search: values changed in place, by item and column, over the
  // list connection's result table.
  std::unordered_map<long long, std::string> shownEdits_;
};

}  // namespace qm::search

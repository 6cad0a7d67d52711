#include "app/item_list/item_list.h"

#include <algorithm>

#include "app/item_list/list_columns.h"
#include "app/item_list/list_view_sql.h"
#include "common/db/db_connection.h"
#include "common/db/write_transaction.h"
#include "common/text/encoding.h"

namespace qm::search {

using platform::MessageButtons;
using platform::MessageIcon;

std::string refusalText(const db::StatementCheck& check) {
  switch (check.verdict) {
    case db::StatementVerdict::ReadOnlyQuery: return {};
    case db::StatementVerdict::Invalid: return check.error;
    case db::StatementVerdict::Empty: return text::sjis("実行する文がありません。");
    case db::StatementVerdict::MoreText:
      return text::sjis("実行できるのは一つの SELECT 文だけです。文の後ろに続きがあります。");
    case db::StatementVerdict::Writes: return text::sjis("ライブラリを書き換える文は実行できません。");
    case db::StatementVerdict::NoRows: return text::sjis("結果を返す SELECT 文だけを実行できます。");
    case db::StatementVerdict::NotOpen: return text::sjis("データベースを開けませんでした。");
  }
  return {};
}

std::optional<std::string> runReadOnly(db::DbConnection& db, const db::StatementChecker& checker,
                                       std::string_view sql) {
  const db::StatementCheck check = checker.check(sql);
  if (!check.ok()) return refusalText(check);
  return db.execute(sql);
}

void reportListFailure(platform::MessageSink& sink, const std::string& reason, const std::string& statement,
                       bool sqlSearch) {
  sink.show(text::sjis("ビュー選択できませんでした。\n") + reason,
            sqlSearch ? "ItemListClmSort:SQLSearch" : "ItemListClmSort:Normal", MessageIcon::Error,
            MessageButtons::Ok);
  sink.show(statement, text::sjis("実行クエリ"), MessageIcon::Error, MessageButtons::Ok);
}

namespace {

constexpr std::string_view kAllRows = "SELECT * FROM list_view ;";
// Rows read at a time for drawing: a screen of the list.
constexpr int kValueBlock = 32;
constexpr std::size_t kKeptValueRows = 4096;

std::int64_t dataVersion(db::DbConnection& db) {
  std::int64_t version = -1;
  db.readRowsUtf8("PRAGMA data_version;", [&](const db::RowValues& row) {
    version = row.integer(0);
    return false;
  });
  return version;
}

// The test of a group filter statement of the pane's own making over a key
// the library's keys hold: maker, genre and machine by their text, rating by
// its number. Nothing for any other statement.
struct GroupTest {
  int key;
  std::optional<std::string> text;  // UTF-8
  std::int64_t number = 0;
};

std::optional<GroupTest> groupTestOf(std::string_view group) {
  constexpr std::string_view kHead = "SELECT * FROM list_view WHERE ";
  if (group.substr(0, kHead.size()) != kHead) return std::nullopt;
  const std::string_view where = group.substr(kHead.size());
  constexpr std::string_view kRating = "rating=";
  if (where.substr(0, kRating.size()) == kRating) {
    const std::string_view digits = where.substr(kRating.size(), where.size() - kRating.size() - 1);
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string_view::npos)
      return std::nullopt;
    const int rating = std::stoi(std::string(digits));
    if (rating % 10 != 0 || groupFilterStatement(GroupKind::Rating, rating / 10 + 1, "") != group) return std::nullopt;
    return GroupTest{4, std::nullopt, rating};
  }
  // Keys 1, 3 and 2 are maker, genre_name and machine_name.
  const struct {
    GroupKind kind;
    int key;
  } kinds[] = {{GroupKind::Maker, 1}, {GroupKind::Genre, 3}, {GroupKind::Machine, 2}};
  for (const auto& kind : kinds) {
    const std::string head = std::string(kHead) + groupTab(kind.kind).field + "='";
    if (group.substr(0, head.size()) != head || group.size() < head.size() + 3) continue;
    std::string value(group.substr(head.size(), group.size() - head.size() - 3));
    for (std::size_t at = value.find("''"); at != std::string::npos; at = value.find("''", at + 1)) value.erase(at, 1);
    // Only a statement the pane makes from this value is answered here.
    if (groupFilterStatement(kind.kind, 1, value) != group) return std::nullopt;
    return GroupTest{kind.key, db::DbConnection::toUtf8(value), 0};
  }
  return std::nullopt;
}

}  // namespace

bool ItemList::sort(int column, SortMode mode) {
  sort_.apply(column, mode, readingSort_);
  lastStatement_ = listStatement(statements_, sortListFor(sort_, statements_));
  if (!sort_.keepsStatementOrder()) {
    if (statements_.search.empty()) {
      if (std::optional<std::string> keys = sortKeyStatement(statements_.group)) return sortInMemory(*keys);
    } else if (sortSearchInMemory()) {
      return true;
    }
  }
  if (auto error = runReadOnly(list_, checker_, lastStatement_)) {
    reportListFailure(sink_, *error, lastStatement_, !statements_.search.empty());
    // The failed statement took the list connection's result with it: the
    // list shows what it showed before, read again.
    if (!inMemory_ && !shownStatement_.empty() && list_.execute(shownStatement_)) shownStatement_.clear();
    return false;
  }
  inMemory_ = false;
  shownStatement_ = lastStatement_;
  values_.clear();
  shownEdits_.clear();
  return true;
}

bool ItemList::ourView() const {
  const std::string head = viewHead();
  return statements_.view.compare(0, head.size(), head) == 0;
}

bool ItemList::sortInMemory(const std::string& keyStatement) {
  checkLibraryState();
  const std::string group = statements_.group == kAllRows ? std::string() : statements_.group;
  std::shared_ptr<const RowKeys> keys = group.empty() ? allRows_ : rowsKey_ == group ? rows_ : nullptr;
  if (!keys) {
    std::optional<std::string> error;
    // The search builder's views join spec_table as the library's keys expect.
    const bool ours = ourView();
    if (statements_.view == viewStatementWithoutSearch() && group.empty()) {
      keys = rowsFromLibrary({}, error);
    } else if (ours) {
      keys = group.empty() ? rowsFromCondition() : rowsOfGroup(group);
      if (!keys) keys = rowsFromLibrary(*sortRowStatement(statements_.group), error);
    }
    if (!keys && !error) {
      auto read = std::make_shared<RowKeys>();
      error = ours ? read->readWithDetails(list_, statements_.group) : read->read(list_, keyStatement);
      keys = read;
    }
    if (error) {
      reportListFailure(sink_, *error, lastStatement_, false);
      return false;
    }
    if (group.empty()) allRows_ = keys;
  }
  useRows(keys, group);
  return true;
}

// A failure is left to the list statement, which reports it.
bool ItemList::sortSearchInMemory() {
  if (!ourView()) return false;
  const std::optional<std::string> rowStatement = searchRowStatement(statements_);
  if (!rowStatement) return false;
  checkLibraryState();
  std::shared_ptr<const RowKeys> keys = rowsKey_ == *rowStatement ? rows_ : nullptr;
  if (!keys) {
    // The typed text is in it: the same check as the list statement's.
    if (!checker_.check(*rowStatement).ok()) return false;
    std::optional<std::string> error;
    keys = rowsFromLibrary(*rowStatement, error);
    if (!keys) return false;
  }
  useRows(keys, *rowStatement);
  shownStatement_.clear();
  shownEdits_.clear();
  return true;
}

bool ItemList::readLibrary(std::optional<std::string>& error) {
  if (library_) return true;
  auto read = std::make_shared<RowKeys>();
  if ((error = read->readLibrary(list_))) return false;
  library_ = read;
  texts_ = SearchTexts();
  return true;
}

std::optional<ItemList::TextsJob> ItemList::textsJob() {
  if (!library_ || texts_.hasAll()) return std::nullopt;
  // Made here, on the list's thread: the worker only reads it. Every row
  // must be found by its name, as for a search.
  if (static_cast<int>(library_->rowsByFileName().size()) != library_->rowCount()) return std::nullopt;
  return TextsJob{library_, keptState_};
}

bool ItemList::adoptTexts(const TextsJob& job, SearchTexts texts) {
  // The check reads through the list connection: not while its result table is the list.
  if (!inMemory_ || library_ != job.library || libraryState() != job.state) return false;
  texts_ = std::move(texts);
  return true;
}

std::shared_ptr<const RowKeys> ItemList::rowsFromCondition() {
  if (!viewCondition_ || conditionView_ != statements_.view || viewCondition_->tests.empty()) return nullptr;
  std::optional<std::string> error;
  if (!readLibrary(error)) return nullptr;
  // Every row must be found by its name, as reading the view would find it.
  const auto& rowOf = library_->rowsByFileName();
  if (static_cast<int>(rowOf.size()) != library_->rowCount()) return nullptr;
  // Every field at once: one read of the library serves every mode after it.
  if (texts_.load(list_, allTextFields(), rowOf, library_->rowCount())) return nullptr;
  std::optional<std::vector<int>> rows = texts_.matching(*viewCondition_);
  if (!rows) return nullptr;
  auto keys = std::make_shared<RowKeys>();
  keys->takeRows(library_, std::move(*rows));
  ++conditionLists_;
  return keys;
}

// The view's rows are held: a group of them is found among them rather than
// by reading the view again, which for a million items took most of a second.
std::shared_ptr<const RowKeys> ItemList::rowsOfGroup(const std::string& group) {
  if (!allRows_ || !library_) return nullptr;
  const std::optional<GroupTest> test = groupTestOf(group);
  if (!test) return nullptr;
  std::optional<std::vector<int>> rows = allRows_->libraryRowsWhere(test->key, test->text, test->number);
  if (!rows) return nullptr;
  auto keys = std::make_shared<RowKeys>();
  keys->takeRows(library_, std::move(*rows));
  ++groupLists_;
  return keys;
}

std::shared_ptr<const RowKeys> ItemList::rowsFromLibrary(const std::string& rowStatement,
                                                         std::optional<std::string>& error) {
  if (!readLibrary(error)) return nullptr;
  auto rows = std::make_shared<RowKeys>();
  if (rowStatement.empty()) {
    rows->takeAll(library_);
    return rows;
  }
  bool complete = true;
  if ((error = rows->readRows(library_, list_, rowStatement, complete)) || !complete) return nullptr;
  return rows;
}

void ItemList::useRows(std::shared_ptr<const RowKeys> keys, const std::string& key) {
  rows_ = std::move(keys);
  rowsKey_ = key;
  order_ = rows_->order(sortTerms(sort_));
  inMemory_ = true;
  values_.clear();
}

void ItemList::checkLibraryState() {
  if (const auto state = libraryState(); state != keptState_) {
    forgetRows();
    library_.reset();
    keptState_ = state;
  }
}

// Kept keys are stale once the library changed, through this connection or
// another one (a registration worker, an edit).
std::pair<std::int64_t, std::int64_t> ItemList::libraryState() {
  return {dataVersion(list_), list_.totalChanges()};
}

void ItemList::forgetRows() {
  allRows_.reset();
  rows_.reset();
  rowsKey_.clear();
  order_.clear();
  values_.clear();
  shownEdits_.clear();
  inMemory_ = false;
}

const std::vector<std::string>& ItemList::rowValues(int item) const {
  static const std::vector<std::string> kNone;
  if (item < 0 || item >= static_cast<int>(order_.size())) return kNone;
  if (auto found = values_.find(order_[static_cast<std::size_t>(item)]); found != values_.end()) return found->second;
  if (values_.size() > kKeptValueRows) values_.clear();
  const int first = item / kValueBlock * kValueBlock;
  const int last = std::min(first + kValueBlock, static_cast<int>(order_.size()));
  std::unordered_map<std::string_view, int> wanted;
  std::string sql = "SELECT * FROM list_view WHERE file_name IN (";
  for (int i = first; i < last; ++i) {
    const int row = order_[static_cast<std::size_t>(i)];
    if (values_.count(row)) continue;
    const std::string_view name = rows_->fileNameUtf8(row);
    if (!wanted.emplace(name, row).second) continue;
    if (wanted.size() > 1) sql += ",";
    sql += db::sqlText(name);
    // Found or not (gone since the keys were read), a row is read once.
    values_[row];
  }
  sql += ");";
  list_.readRowsUtf8(sql, [&](const db::RowValues& values) {
    auto found = wanted.find(values.utf8(kViewFileName));
    if (found == wanted.end()) return true;
    std::vector<std::string>& into = values_[found->second];
    into.clear();
    for (int c = 0; c < values.columnCount(); ++c) into.emplace_back(values.utf8(c));
    wanted.erase(found);
    return true;
  });
  return values_[order_[static_cast<std::size_t>(item)]];
}

ItemList::ViewChange ItemList::replaceView(const std::string& statement, bool probe, const TextCondition* condition) {
  ViewChange change;
  // DDL is transactional: a failed create leaves the old view in place.
  db::WriteTransaction transaction(list_);
  if ((change.error = transaction.begin())) return change;
  change.error = remakeListView(list_, statement);
  if (!change.error && probe) {
    change.error = list_.readRowsUtf8("SELECT title FROM list_view LIMIT 1;", [&](const db::RowValues&) {
      change.hasRows = true;
      return false;
    });
  }
  if (change.error) {
    change.hasRows = false;
    return change;
  }
  if ((change.error = transaction.commit())) return change;
  forgetRows();
  statements_.view = statement;
  statements_.group.clear();
  viewCondition_.reset();
  if (condition) viewCondition_ = *condition;
  conditionView_ = statement;
  return change;
}

bool ItemList::recreateView() {
  // Edits must show: nothing kept is trusted.
  forgetRows();
  library_.reset();
  shownStatement_.clear();
  // Nothing searched yet (a first start): the whole library.
  if (statements_.view.empty()) statements_.view = viewStatementWithoutSearch();
  // The view statement is ours (the search builder's), not typed: it is the
  // one statement allowed to create something.
  if (auto error = remakeListView(list_, statements_.view)) {
    sink_.show(text::sjis("検索ができませんでした。\n") + *error, text::sjis("DBエラー"), MessageIcon::Error,
               MessageButtons::Ok);
    return false;
  }
  ++viewGeneration_;
  return true;
}

std::optional<std::vector<std::string>> ItemList::groupValues(GroupKind kind) {
  // The check reads through the list connection: not while its result table is the list.
  if (!inMemory_ || libraryState() != keptState_) return std::nullopt;
  std::shared_ptr<const RowKeys> rows = allRows_;
  if (!statements_.search.empty()) {
    // The pane lists the values of the search's rows, whatever group is chosen.
    ListStatements search = statements_;
    search.group.clear();
    const std::optional<std::string> rowStatement = searchRowStatement(search);
    rows = rowStatement && *rowStatement == rowsKey_ ? rows_ : nullptr;
  }
  if (!rows) return std::nullopt;
  // "SELECT DISTINCT adult ..." only decides whether the pane has items.
  if (kind == GroupKind::Adult) return std::vector<std::string>(rows->rowCount() > 0 ? 1 : 0);
  constexpr int kKeyOfKind[] = {1, 3, -1, 2, 4};  // maker, genre_name, -, machine_name, rating
  auto values = rows->distinctValues(kKeyOfKind[static_cast<int>(kind)]);
  if (values) {
    for (std::string& value : *values) value = db::DbConnection::fromUtf8(value);
  }
  return values;
}

int ItemList::rowCount() const { return inMemory_ ? static_cast<int>(order_.size()) : list_.rowCount(); }

int ItemList::findItem(std::string_view fileName) const {
  const std::string key = db::DbConnection::toUtf8(fileName);
  if (inMemory_) {
    for (std::size_t item = 0; item < order_.size(); ++item) {
      if (rows_->fileNameUtf8(order_[item]) == key) return static_cast<int>(item);
    }
    return -1;
  }
  for (int row = 1; row <= list_.rowCount(); ++row) {
    if (list_.cellUtf8(row, kViewFileName) == key) return row - 1;
  }
  return -1;
}

std::string ItemList::fileNameAt(int item) const {
  if (inMemory_) {
    if (item < 0 || item >= static_cast<int>(order_.size())) return {};
    return db::DbConnection::fromUtf8(rows_->fileNameUtf8(order_[static_cast<std::size_t>(item)]));
  }
  return cell(item, kViewFileName);
}

std::string ItemList::titleUtf8(int item) const {
  constexpr int kTitleKey = 0;  // the column table's first ORDER BY expression
  if (!inMemory_) return std::string(list_.cellUtf8(item + 1, kViewTitle));
  if (item < 0 || item >= static_cast<int>(order_.size())) return {};
  return std::string(rows_->textUtf8(order_[static_cast<std::size_t>(item)], kTitleKey));
}

namespace {
long long editKey(int item, int viewColumn) { return static_cast<long long>(item) * 256 + viewColumn; }
}  // namespace

void ItemList::setShownCell(int item, int viewColumn, const std::string& value) {
  if (item < 0 || item >= rowCount() || viewColumn < 0) return;
  if (!inMemory_) {
    shownEdits_[editKey(item, viewColumn)] = value;
    return;
  }
  rowValues(item);
  std::vector<std::string>& values = values_[order_[static_cast<std::size_t>(item)]];
  if (viewColumn < static_cast<int>(values.size()))
    values[static_cast<std::size_t>(viewColumn)] = db::DbConnection::toUtf8(value);
}

std::string ItemList::cell(int item, int viewColumn) const {
  if (!inMemory_) {
    if (!shownEdits_.empty())
      if (auto edited = shownEdits_.find(editKey(item, viewColumn)); edited != shownEdits_.end()) return edited->second;
    return list_.cell(item + 1, viewColumn);
  }
  const std::vector<std::string>& values = rowValues(item);
  if (viewColumn < 0 || viewColumn >= static_cast<int>(values.size())) return {};
  return db::DbConnection::fromUtf8(values[static_cast<std::size_t>(viewColumn)]);
}

}  // namespace qm::search

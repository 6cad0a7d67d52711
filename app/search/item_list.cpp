#include "app/search/item_list.h"

#include "app/search/list_columns.h"
#include "app/search/list_view_sql.h"
#include "common/db/db_connection.h"
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

bool ItemList::sort(int column, SortMode mode) {
  sort_.apply(column, mode, readingSort_);
  lastStatement_ = listStatement(statements_, sortListFor(sort_, statements_));
  if (auto error = runReadOnly(list_, checker_, lastStatement_)) {
    reportListFailure(sink_, *error, lastStatement_, !statements_.search.empty());
    return false;
  }
  return true;
}

bool ItemList::recreateView() {
  // Nothing searched yet (a first start): the whole library.
  if (statements_.view.empty()) statements_.view = viewStatementWithoutSearch();
  list_.execute(kDropView);
  // The view statement is ours (the search builder's), not typed: it is the
  // one statement allowed to create something.
  if (auto error = list_.execute(statements_.view)) {
    sink_.show(text::sjis("検索ができませんでした。\n") + *error, text::sjis("DBエラー"), MessageIcon::Error,
               MessageButtons::Ok);
    return false;
  }
  return true;
}

int ItemList::rowCount() const { return list_.rowCount(); }

int ItemList::findItem(std::string_view fileName) const {
  const std::string key = db::DbConnection::toUtf8(fileName);
  for (int row = 1; row <= list_.rowCount(); ++row) {
    if (list_.cellUtf8(row, kViewFileName) == key) return row - 1;
  }
  return -1;
}

std::string ItemList::fileNameAt(int item) const { return cell(item, kViewFileName); }

std::string ItemList::cell(int item, int viewColumn) const { return list_.cell(item + 1, viewColumn); }

}  // namespace qm::search

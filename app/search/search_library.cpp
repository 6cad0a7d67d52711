#include "app/search/search_library.h"

#include <cstdio>

#include "app/item_list/list_columns.h"
#include "app/item_list/list_view_sql.h"
#include "app/item_list/sql_scan.h"
#include "common/db/db_connection.h"
#include "common/db/regexp_functions.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::search {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

constexpr std::size_t kOrderReach = 40;

void reportViewFailure(platform::MessageSink& sink, const char* what, const std::string& error,
                       const std::string& statement) {
  sink.show(sjis(what) + error, sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
  sink.show(statement, sjis("実行クエリ"), MessageIcon::Error, MessageButtons::Ok);
}

constexpr const char* kSingleFailed = "ビュー作成できませんでした。\n";
constexpr const char* kAndFailed = "ビュー作成できませんでした\n（あいまい検索＋単語含有モード：AND試行）。\n";
constexpr const char* kOrFailed = "ビュー作成できませんでした\n（あいまい検索＋単語含有モード：OR試行）。\n";

struct ViewRun {
  bool ok = false;
  bool hasRows = false;
};

// The statements of one search in order: the AND form of several words
// stands only when it lists a row, so only it is read before it is kept. A
// Migemo pattern is compiled before it goes into a statement
// (migemoAlternative), so reading its view could not fail either.
ViewRun runClauses(ItemList& items, const SearchClauses& clauses, bool withPattern, platform::MessageSink& sink) {
  const bool report = !withPattern;
  for (std::size_t i = 0; i < clauses.statements.size(); ++i) {
    const std::string& statement = clauses.statements[i];
    const bool last = i + 1 == clauses.statements.size();
    const TextCondition* condition = i < clauses.conditions.size() ? &clauses.conditions[i] : nullptr;
    const ItemList::ViewChange change = items.replaceView(statement, !last, condition);
    if (change.error) {
      const bool andTry = clauses.severalWords && clauses.statements.size() == 2 && i == 0;
      if (report)
        reportViewFailure(sink, !clauses.severalWords ? kSingleFailed : andTry ? kAndFailed : kOrFailed,
                          *change.error, statement);
      return {};
    }
    if (change.hasRows || last) return {true, change.hasRows};
  }
  return {};
}

struct MigemoAlternative {
  std::string sqlPattern;  // quoted for SQL; empty for none
  bool refused = false;    // the engine does not take the pattern
};

MigemoAlternative migemoAlternative(const std::string& prepared, const SearchSettings& settings,
                                    MigemoSource* migemo) {
  if (!migemo || !migemo->enabled() || !settings.migemoOn || settings.regexMode < 1 || !takesMigemo(prepared))
    return {};
  const std::optional<std::string> raw = migemo->query(migemoQueryText(prepared));
  if (!raw || raw->empty()) return {};
  // Compiled first: SQLite runs the REGEXP only for rows the LIKE half did
  // not match, so a bad pattern could show only after the view was made.
  const std::string pattern = regexPattern(*raw, settings.regexMode, settings.classLimit);
  if (db::regexpPatternError(db::DbConnection::toUtf8(pattern))) return {{}, true};
  return {db::DbConnection::quoteSql(pattern), false};
}

constexpr const char* kPlainTextNote = "ローマ字検索の式が使えないため、入力した文字のまま検索しました。";

SearchOutcome searchText(ItemList& items, const SearchRequest& request, const SearchSettings& settings,
                         MigemoSource* migemo, platform::MessageSink& sink) {
  SearchOutcome outcome;
  const std::optional<std::string> prepared = preparedSearchText(request.text, request.mode, request.tables);
  if (!prepared) return outcome;
  const MigemoAlternative alternative = migemoAlternative(*prepared, settings, migemo);
  const std::string& pattern = alternative.sqlPattern;
  std::optional<SearchClauses> clauses = buildSearchClauses(request, pattern, settings.regexMode);
  if (!clauses) return outcome;
  // A Migemo pattern the engine refuses (too large, or not its syntax) is
  // dropped: the search runs on the plain text, and says so.
  bool plainText = alternative.refused;
  ViewRun run = runClauses(items, *clauses, !pattern.empty(), sink);
  if (!run.ok && !pattern.empty()) {
    clauses = buildSearchClauses(request, {}, settings.regexMode);
    run = runClauses(items, *clauses, false, sink);
    plainText = true;
  }
  if (run.ok && plainText) outcome.note = sjis(kPlainTextNote);
  if (!run.ok) return outcome;
  outcome.viewChanged = true;
  items.statements().search.clear();
  outcome.sort = sortAfterSearch(request.mode);
  return outcome;
}

SearchOutcome searchStatement(ItemList& items, const std::string& typed, platform::MessageSink& sink) {
  SearchOutcome outcome;
  const std::string statement = normalizedStatement(typed);
  if (statement.empty()) return outcome;
  // Refused before anything changes: the list keeps what it shows.
  const db::StatementCheck check = items.checker().check(statement);
  if (!check.ok()) {
    reportListFailure(sink, refusalText(check), statement, true);
    return outcome;
  }
  const ItemList::ViewChange change = items.replaceView(viewStatementWithoutSearch());
  if (change.error) {
    sink.show(sjis(kSingleFailed) + *change.error, sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
    return outcome;
  }
  outcome.viewChanged = true;
  items.statements().search = statement;
  outcome.sort = sortOfStatement(statement);
  return outcome;
}

}  // namespace

SortRequest sortAfterSearch(int mode) {
  switch (mode) {
    case kFilePathMode:
    case kVersionMode:
    case kCreatorMode:
    case kMemoMode: return {kResetSort, SortMode::Toggle};
    case kTitleMode:
    case kMakerMode:
    case kMakerLinkMode: return {kTitleColumn, SortMode::Ascending};
    case kGenreMode: return {kMachineGenreColumn, SortMode::Ascending};
    default: return {kSortAgain, SortMode::Toggle};
  }
}

SortRequest sortOfStatement(std::string_view statement) {
  const std::size_t order = findLastTopLevel(statement, {"ORDER"});
  if (order == kNotFound) return {kSortAgain, SortMode::Toggle};
  const std::vector<SqlWord> words = topLevelWords(statement);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const SqlWord& word = words[i];
    if (word.pos <= order) continue;
    if (word.pos - order >= kOrderReach) break;
    const std::string_view name = statement.substr(word.pos, word.length);
    int column = -1;
    if (sjis::equalsIgnoreCaseAscii(name, "genre_name") || sjis::equalsIgnoreCaseAscii(name, "machine_name")) {
      column = kMachineGenreColumn;
    } else {
      for (int c = 0; c < kColumnCount; ++c) {
        if (c != kMachineGenreColumn && sjis::equalsIgnoreCaseAscii(name, listColumns()[c].field)) column = c;
      }
    }
    if (column < 0) continue;
    bool descending = false;
    if (i + 1 < words.size()) {
      const SqlWord& next = words[i + 1];
      const std::string_view between = statement.substr(word.pos + word.length, next.pos - word.pos - word.length);
      descending = sjis::equalsIgnoreCaseAscii(statement.substr(next.pos, next.length), "DESC") &&
                   between.find_first_not_of(" \t\r\n") == std::string_view::npos;
    }
    return {column, descending ? SortMode::Descending : SortMode::Ascending};
  }
  return {kKeepStatementOrder, SortMode::Toggle};
}

std::string normalizedStatement(std::string_view statement) {
  const std::string_view text = trimBlanks(statement);
  std::string out;
  out.reserve(text.size());
  char closing = 0;  // the end of the quoted text or name we are in
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = sjis::charLength(text, pos);
    const char c = text[pos];
    if (length == 1 && closing == 0) {
      if (c == '\'' || c == '"' || c == '`') closing = c;
      if (c == '[') closing = ']';
    } else if (length == 1 && c == closing) {
      closing = 0;
    }
    // A doubled quote inside a literal closes and opens it again: still inside.
    const bool doubleBlank = closing == 0 && c == ' ' && !out.empty() && out.back() == ' ';
    if (!doubleBlank) out.append(text.substr(pos, length));
    pos += length;
  }
  return out;
}

SearchOutcome changeViewForSearch(ItemList& items, const SearchRequest& request, const SearchSettings& settings,
                                  MigemoSource* migemo, platform::MessageSink& sink) {
  if (request.text.empty()) {
    SearchOutcome empty;
    empty.result = 0;
    return empty;
  }
  return request.mode == kSqlMode ? searchStatement(items, request.text, sink)
                                  : searchText(items, request, settings, migemo, sink);
}

void sortAfterViewChange(ItemList& items, SearchOutcome& outcome) {
  if (!outcome.viewChanged) return;
  if (items.sort(outcome.sort.column, outcome.sort.mode)) {
    outcome.result = items.rowCount() > 0 ? 1 : 0;
  } else if (!items.statements().search.empty()) {
    // Reported by the sort; the whole library is shown instead of nothing.
    items.statements().search.clear();
    items.sort(kResetSort, SortMode::Toggle);
  }
}

SearchOutcome searchLibrary(ItemList& items, const SearchRequest& request, const SearchSettings& settings,
                            MigemoSource* migemo, platform::MessageSink& sink) {
  const auto start = std::chrono::steady_clock::now();
  SearchOutcome outcome = changeViewForSearch(items, request, settings, migemo, sink);
  sortAfterViewChange(items, outcome);
  outcome.took = std::chrono::steady_clock::now() - start;
  return outcome;
}

std::string searchTimeText(std::chrono::steady_clock::duration took) {
  const long long hundredths = std::chrono::duration_cast<std::chrono::milliseconds>(took).count() / 10;
  char number[32];
  std::snprintf(number, sizeof number, "%lld.%02lld", hundredths / 100, hundredths % 100);
  return sjis("検索時間:") + number + sjis("秒");
}

}  // namespace qm::search

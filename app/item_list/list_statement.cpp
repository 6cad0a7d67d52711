#include "app/item_list/list_statement.h"

#include "app/item_list/sql_scan.h"
#include "common/text/sjis.h"

namespace qm::search {
namespace {

// " ORDER BY " and the list; nothing for a blank list, which would not parse.
std::string orderBy(std::string_view sortList) {
  if (trimBlanks(sortList).empty()) return {};
  return " ORDER BY " + std::string(sortList);
}

std::string plainStatement(const ListStatements& statements, std::string_view sortList) {
  std::string head = statements.group.empty() ? std::string("SELECT * FROM list_view")
                                              : std::string(withoutFinalSemicolon(statements.group));
  return head + orderBy(sortList) + " ;";
}

// The group filter's condition: what follows its WHERE, or nothing.
std::string groupCondition(std::string_view group) {
  if (group.empty()) return {};
  std::size_t at = endOfFirstTopLevel(group, {"WHERE"});
  if (at == kNotFound) return {};
  return std::string(withoutFinalSemicolon(group.substr(at)));
}

// Where a WHERE clause of `text` ends: at its GROUP BY, HAVING or WINDOW, or
// the end. A condition put after those would not parse.
std::size_t whereClauseEnd(std::string_view text, std::size_t from) {
  std::size_t end = text.size();
  for (std::size_t found : {findFirstTopLevel(text, {"GROUP", "BY"}, from), findFirstTopLevel(text, {"HAVING"}, from),
                            findFirstTopLevel(text, {"WINDOW"}, from)}) {
    if (found != kNotFound && found < end) end = found;
  }
  return end;
}

std::string addCondition(std::string_view text, const std::string& condition) {
  const std::size_t afterWhere = endOfFirstTopLevel(text, {"WHERE"});
  if (afterWhere == kNotFound) {
    const std::size_t end = whereClauseEnd(text, 0);
    std::string rest(text.substr(end));
    return std::string(text.substr(0, end)) + " WHERE " + condition + (rest.empty() ? "" : " " + rest);
  }
  const std::size_t end = whereClauseEnd(text, afterWhere);
  return std::string(text.substr(0, afterWhere)) + " (" + condition + ") AND (" +
         std::string(text.substr(afterWhere, end - afterWhere)) + ") " + std::string(text.substr(end));
}

std::string searchStatement(const ListStatements& statements, std::string_view sortList) {
  const std::string condition = groupCondition(statements.group);
  std::string_view text = withoutFinalSemicolon(trimBlanks(statements.search));

  std::string randomPart, limitPart;
  const std::size_t order = findLastTopLevel(text, {"ORDER", "BY"});
  if (order != kNotFound && findFirstTopLevel(text, {"ORDER", "BY", "RANDOM"}, order) == order) {
    // RANDOM() and everything after it, a LIMIT included, is kept as written.
    randomPart = text.substr(endOfFirstTopLevel(text.substr(order), {"ORDER", "BY"}) + order);
  }
  const std::size_t limit = findLastTopLevel(text, {"LIMIT"});
  if (limit != kNotFound) limitPart = text.substr(limit);

  std::size_t cut = text.size();
  if (order != kNotFound) cut = order;
  if (limit != kNotFound && limit < cut) cut = limit;
  text = text.substr(0, cut);

  std::string sql = condition.empty() ? std::string(text) : addCondition(text, condition);
  if (!randomPart.empty()) return sql + " ORDER BY " + randomPart + " ;";
  sql += orderBy(sortList);
  if (!limitPart.empty() && !sql.empty() && sql.back() != ' ') sql += ' ';
  return sql + limitPart + " ;";
}

}  // namespace

std::string statementSortList(std::string_view search) {
  std::string_view text = withoutFinalSemicolon(search);
  const std::size_t order = findLastTopLevel(text, {"ORDER", "BY"});
  if (order == kNotFound) return " ";
  text = text.substr(order);
  text = text.substr(endOfFirstTopLevel(text, {"ORDER", "BY"}));
  const std::size_t limit = findFirstTopLevel(text, {"LIMIT"});
  return std::string(limit == kNotFound ? text : text.substr(0, limit));
}

std::string sortListFor(const SortState& sort, const ListStatements& statements) {
  return sort.keepsStatementOrder() ? statementSortList(statements.search) : sort.orderByList();
}

std::string listStatement(const ListStatements& statements, std::string_view sortList) {
  return statements.search.empty() ? plainStatement(statements, sortList) : searchStatement(statements, sortList);
}

std::optional<std::string> searchRowStatement(const ListStatements& statements) {
  constexpr std::string_view kHead = "SELECT * FROM list_view";
  const std::string_view typed = withoutFinalSemicolon(trimBlanks(statements.search));
  if (typed.size() < kHead.size() || !sjis::equalsIgnoreCaseAscii(typed.substr(0, kHead.size()), kHead))
    return std::nullopt;
  const std::string_view rest = typed.substr(kHead.size());
  if (const std::size_t start = rest.find_first_not_of(" \t\r\n"); start != std::string_view::npos) {
    const std::vector<SqlWord> words = topLevelWords(rest);
    if (start == 0 || words.empty() || words.front().pos != start) return std::nullopt;
    const std::string_view first = rest.substr(start, words.front().length);
    if (!sjis::equalsIgnoreCaseAscii(first, "WHERE") && !sjis::equalsIgnoreCaseAscii(first, "ORDER"))
      return std::nullopt;
    for (const std::initializer_list<std::string_view> clause :
         {std::initializer_list<std::string_view>{"LIMIT"}, {"GROUP", "BY"}, {"HAVING"}, {"WINDOW"}, {"UNION"},
          {"INTERSECT"}, {"EXCEPT"}, {"ORDER", "BY", "RANDOM"}}) {
      if (findFirstTopLevel(rest, clause) != kNotFound) return std::nullopt;
    }
  }
  const std::string list = listStatement(statements, " ");
  return "SELECT file_name FROM list_view" + list.substr(kHead.size());
}

}  // namespace qm::search

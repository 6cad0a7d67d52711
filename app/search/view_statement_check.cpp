#include "app/search/view_statement_check.h"

#include <string>

#include "app/item_list/list_view_sql.h"
#include "app/item_list/sql_scan.h"
#include "common/db/statement_check.h"
#include "common/text/sjis.h"

namespace qm::search {

namespace {
constexpr std::string_view kCreateHead = "CREATE VIEW list_view AS ";
}

bool isTrustedViewStatement(std::string_view statement, const db::StatementChecker& checker) {
  const std::string head = viewHead();
  if (statement.size() <= head.size() || statement.substr(0, head.size()) != head) return false;
  const std::string_view where = trimBlanks(statement.substr(head.size()));
  if (where.size() < 6 || !sjis::equalsIgnoreCaseAscii(where.substr(0, 6), "WHERE ")) return false;
  const std::string select = head.substr(kCreateHead.size()) + std::string(where);
  return checker.check(select).ok();
}

}  // namespace qm::search

#include "app/item_list/group_pane.h"

#include <array>

#include "app/item_list/sql_scan.h"
#include "common/db/db_connection.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::search {
namespace {

constexpr std::array<GroupTab, kGroupKindCount> kTabs = {{
    {"メーカー", "maker", "SELECT DISTINCT maker FROM list_view ORDER BY maker ;"},
    {"ジャンル", "genre_name", "SELECT DISTINCT genre_name FROM list_view ORDER BY genre_name ;"},
    {"R指定", "adult", "SELECT DISTINCT adult FROM list_view ;"},
    {"機種", "machine_name", "SELECT DISTINCT machine_name FROM list_view ORDER BY machine_name ;"},
    {"評価", "rating", "SELECT DISTINCT rating FROM list_view ORDER BY rating ;"},
}};

constexpr int kRatingItems = 7;  // "<全て>" and ratings 0, 10, ..., 50
constexpr int kAdultItems = 3;   // "<全て>", "あり", "なし"

// The search's FROM list_view onwards, without its own order or limit.
std::string searchSource(std::string_view search) {
  std::string_view text = withoutFinalSemicolon(trimBlanks(search));
  const std::size_t from = findFirstTopLevel(text, {"list_view"});
  if (from == kNotFound) return {};
  text = text.substr(from);
  std::size_t cut = text.size();
  for (std::size_t found : {findLastTopLevel(text, {"ORDER", "BY"}), findLastTopLevel(text, {"LIMIT"})}) {
    if (found != kNotFound && found < cut) cut = found;
  }
  return std::string(text.substr(0, cut));
}

}  // namespace

const GroupTab& groupTab(GroupKind kind) { return kTabs[static_cast<std::size_t>(kind)]; }

std::string groupTabLabel(GroupKind kind) { return text::sjis(groupTab(kind).label); }

GroupKind nextGroupKind(GroupKind kind) {
  return static_cast<GroupKind>((static_cast<int>(kind) + 1) % kGroupKindCount);
}

GroupKind previousGroupKind(GroupKind kind) {
  return static_cast<GroupKind>((static_cast<int>(kind) + kGroupKindCount - 1) % kGroupKindCount);
}

std::string groupQuery(GroupKind kind, std::string_view sqlSearch) {
  const std::string_view plain = groupTab(kind).query;
  if (sqlSearch.empty()) return std::string(plain);
  const std::string source = searchSource(sqlSearch);
  if (source.empty()) return std::string(plain);
  const std::string_view query = withoutFinalSemicolon(plain);
  const std::string_view head = query.substr(0, query.find("list_view"));
  const std::size_t order = query.find("ORDER");
  const std::string_view tail = order == std::string_view::npos ? std::string_view{} : query.substr(order);
  return std::string(head) + " " + source + " " + std::string(tail);
}

int groupItemCount(GroupKind kind, int rows) {
  if (rows <= 0) return 0;
  if (kind == GroupKind::Adult) return kAdultItems;
  if (kind == GroupKind::Rating) return kRatingItems;
  return rows + 1;
}

std::string groupItemText(GroupKind kind, int item, std::string_view value) {
  if (item == 0) return text::sjis("<全て>");
  if (kind == GroupKind::Adult) return text::sjis(item == 1 ? "あり" : "なし");
  if (kind == GroupKind::Rating) return std::to_string((item - 1) * 10);
  if (value.empty()) return text::sjis("指定なし");
  return std::string(value);
}

int ratingStars(int item) { return item >= 1 ? item - 1 : 0; }

std::string groupFilterStatement(GroupKind kind, int item, std::string_view value) {
  if (item == 0) return "SELECT * FROM list_view ;";
  if (kind == GroupKind::Adult)
    return item == 1 ? "SELECT * FROM list_view WHERE adult=1 ;" : "SELECT * FROM list_view WHERE adult=0 ;";
  if (kind == GroupKind::Rating) return "SELECT * FROM list_view WHERE rating=" + std::to_string((item - 1) * 10) + ";";
  return std::string("SELECT * FROM list_view WHERE ") + groupTab(kind).field + "='" + db::DbConnection::quoteSql(value) +
         "' ;";
}

std::string titleCountText(long long titles) {
  return text::sjis(" 全タイトル数: ") + std::to_string(titles) + text::sjis(" 件");
}

std::string hitCountText(long long hits) { return text::sjis(" 検索件数: ") + std::to_string(hits) + text::sjis(" 件"); }

}  // namespace qm::search

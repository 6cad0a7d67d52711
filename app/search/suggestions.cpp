#include "app/search/suggestions.h"

#include <algorithm>

#include "app/search/search_sql.h"
#include "common/db/db_connection.h"
#include "common/text/sjis.h"

namespace qm::search {
namespace {

constexpr std::size_t kFieldTextLimit = 16;

}  // namespace

std::string readingPattern(std::string_view typed) {
  const std::string upper = sjis::toUpperAscii(typed);
  std::string out;
  for (std::size_t pos = 0; pos < upper.size(); pos = sjis::nextChar(upper, pos)) {
    const std::size_t length = sjis::charLength(upper, pos);
    if (length == 1 && std::string_view("\\$*.^").find(upper[pos]) != std::string_view::npos) out += '\\';
    out.append(upper, pos, length);
  }
  return db::DbConnection::quoteSql(out);
}

std::optional<std::string> searchSuggestionStatement(std::string_view typed, std::string_view titlePattern,
                                                     int regexMode) {
  if (typed.size() < 2 || typed.size() > 199 || !takesMigemo(typed)) return std::nullopt;
  const std::string reading = regexCondition(regexMode, "kana", readingPattern(typed));
  if (reading.empty()) return std::nullopt;
  std::string sql = "SELECT DISTINCT title FROM main_table WHERE (" + reading;
  if (!titlePattern.empty()) sql += "OR " + regexCondition(regexMode, "title", titlePattern);
  sql += ") AND ply<=1 LIMIT 60;";
  return sql;
}

std::string shortenedTitle(std::string_view title) {
  std::size_t cut = title.size();
  for (std::size_t pos = 0; pos < title.size(); pos = sjis::nextChar(title, pos)) {
    const char c = title[pos];
    if (pos > 0 && sjis::charLength(title, pos) == 1 && (c == '_' || c == '(' || c == '[')) {
      cut = pos;
      break;
    }
  }
  std::string shortened(title.substr(0, cut));
  while (!shortened.empty() && shortened.back() == ' ') shortened.pop_back();
  return shortened;
}

std::vector<std::string> suggestionList(std::string_view typed, const std::vector<std::string>& titles,
                                        bool wholeTitles) {
  std::vector<std::string> list{std::string(typed)};
  for (std::size_t i = 0; i < titles.size() && i < static_cast<std::size_t>(kSuggestionRows); ++i) {
    std::string entry = wholeTitles ? titles[i] : shortenedTitle(titles[i]);
    if (!wholeTitles && std::find(list.begin() + 1, list.end(), entry) != list.end()) continue;
    list.push_back(std::move(entry));
  }
  return list;
}

std::string suggestionField(std::string_view field) {
  for (const char* known : {"title", "maker", "developer", "country"}) {
    if (field == known) return known;
  }
  return "maker";
}

std::optional<std::string> fieldSuggestionStatement(std::string_view field, std::string_view typed,
                                                    std::string_view pattern, int regexMode) {
  if (typed.empty() || typed.size() > kFieldTextLimit) return std::nullopt;
  const std::string f = suggestionField(field);
  bool escaped = false;
  const std::string like = likePattern(typed, escaped);
  std::string sql = "SELECT DISTINCT " + f + " FROM main_table WHERE " + f + " LIKE '" + like +
                    (escaped ? "%' ESCAPE '`' " : "%' ");
  if (!pattern.empty() && !regexCondition(regexMode, f, pattern).empty())
    sql += "OR (" + regexCondition(regexMode, f, pattern) + ") ";
  sql += "AND ply <= 1 ORDER BY " + f + " LIMIT 40;";
  return sql;
}

std::vector<std::string> suggestionRows(db::DbConnection& db, const std::string& statement) {
  std::vector<std::string> rows;
  if (db.execute(statement)) return rows;
  for (int row = 1; row <= db.rowCount(); ++row) rows.push_back(db.cell(row, 0));
  return rows;
}

}  // namespace qm::search

#include "app/search/migemo_pattern.h"

#include "app/search/search_sql.h"
#include "common/db/db_connection.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::search {

std::string migemoQueryText(std::string_view text) {
  return sjis::replaceAll(text, text::sjis("ャ"), text::sjis("ゃ"));
}

std::string limitClasses(std::string_view pattern, int classLimit) {
  if (classLimit <= 0) return std::string(pattern);
  std::string out;
  out.reserve(pattern.size());
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const std::size_t length = sjis::charLength(pattern, pos);
    const bool classAfterGroup = length == 1 && pattern[pos] == '[' && pos > 0 && pattern[pos - 1] == '(' &&
                                 sjis::isCharBoundary(pattern, pos - 1);
    if (!classAfterGroup) {
      out.append(pattern.substr(pos, length));
      pos += length;
      continue;
    }
    const std::size_t close = sjis::find(pattern, ']', pos + 1);
    if (close == sjis::npos || sjis::find(pattern.substr(0, close), '\\', pos + 1) != sjis::npos ||
        sjis::find(pattern.substr(0, close), '^', pos + 1) == pos + 1) {
      out.append(pattern.substr(pos));
      break;
    }
    out += '[';
    int kept = 0;
    for (std::size_t c = pos + 1; c < close; c = sjis::nextChar(pattern, c)) {
      if (kept++ > classLimit) break;
      out.append(pattern.substr(c, sjis::charLength(pattern, c)));
    }
    out += ']';
    pos = close + 1;
  }
  return out;
}

std::string typedCharactersAsText(std::string_view pattern) {
  constexpr std::string_view kOperators = "?+*.^${}";
  std::string out;
  out.reserve(pattern.size() + 8);
  for (std::size_t pos = 0; pos < pattern.size();) {
    const std::size_t length = sjis::charLength(pattern, pos);
    if (length == 1 && pattern[pos] == '\\') {
      // An escape and what it escapes stay together.
      const std::size_t next = pos + 1 < pattern.size() ? sjis::nextChar(pattern, pos + 1) : pos + 1;
      out.append(pattern.substr(pos, next - pos));
      pos = next;
      continue;
    }
    if (length == 1 && kOperators.find(pattern[pos]) != std::string_view::npos) out += '\\';
    out.append(pattern.substr(pos, length));
    pos += length;
  }
  return out;
}

std::string regexPattern(std::string_view pattern, int regexMode, int classLimit) {
  const std::string text = typedCharactersAsText(pattern);
  return regexMode == kRegexpOperator ? text : limitClasses(text, classLimit);
}

std::string sqlPattern(std::string_view pattern, int regexMode, int classLimit) {
  return db::DbConnection::quoteSql(regexPattern(pattern, regexMode, classLimit));
}

}  // namespace qm::search

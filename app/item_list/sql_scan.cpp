#include "app/item_list/sql_scan.h"

#include "common/text/sjis.h"

namespace qm::search {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

bool isWordByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
         c >= 0x80;
}

// The end of a quoted part opened at `pos` by `open`, closed by `close`; a
// doubled closing quote inside stays inside. The text's end when unclosed.
std::size_t skipQuoted(std::string_view s, std::size_t pos, char close) {
  for (std::size_t i = sjis::nextChar(s, pos); i < s.size(); i = sjis::nextChar(s, i)) {
    if (s[i] != close || sjis::charLength(s, i) != 1) continue;
    if (close != ']' && i + 1 < s.size() && s[i + 1] == close) {
      ++i;
      continue;
    }
    return i + 1;
  }
  return s.size();
}

std::size_t skipLineComment(std::string_view s, std::size_t pos) {
  std::size_t end = s.find('\n', pos);
  return end == std::string_view::npos ? s.size() : end + 1;
}

std::size_t skipBlockComment(std::string_view s, std::size_t pos) {
  std::size_t end = s.find("*/", pos + 2);
  return end == std::string_view::npos ? s.size() : end + 2;
}

// What starts at `pos` and where it ends.
enum class Part { Blank, Comment, Quoted, Word, Open, Close, Semicolon, Other };

struct Piece {
  Part part;
  std::size_t end;
};

Piece pieceAt(std::string_view s, std::size_t pos) {
  const char c = s[pos];
  if (sjis::charLength(s, pos) == 2) {
    std::size_t end = pos;
    while (end < s.size() && isWordByte(static_cast<unsigned char>(s[end]))) end = sjis::nextChar(s, end);
    return {Part::Word, end};
  }
  if (isBlank(c)) return {Part::Blank, pos + 1};
  if (c == '-' && pos + 1 < s.size() && s[pos + 1] == '-') return {Part::Comment, skipLineComment(s, pos)};
  if (c == '/' && pos + 1 < s.size() && s[pos + 1] == '*') return {Part::Comment, skipBlockComment(s, pos)};
  if (c == '\'' || c == '"' || c == '`') return {Part::Quoted, skipQuoted(s, pos, c)};
  if (c == '[') return {Part::Quoted, skipQuoted(s, pos, ']')};
  if (c == '(') return {Part::Open, pos + 1};
  if (c == ')') return {Part::Close, pos + 1};
  if (c == ';') return {Part::Semicolon, pos + 1};
  if (isWordByte(static_cast<unsigned char>(c))) {
    std::size_t end = pos;
    while (end < s.size() && isWordByte(static_cast<unsigned char>(s[end]))) end = sjis::nextChar(s, end);
    return {Part::Word, end};
  }
  return {Part::Other, pos + 1};
}

template <typename Visit>
void walk(std::string_view s, Visit visit) {
  int depth = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    Piece piece = pieceAt(s, pos);
    if (piece.part == Part::Open) ++depth;
    if (piece.part == Part::Close && depth > 0) --depth;
    visit(pos, piece, depth);
    pos = piece.end;
  }
}

bool runAt(std::string_view sql, const std::vector<SqlWord>& words, std::size_t i,
           std::initializer_list<std::string_view> run) {
  if (i + run.size() > words.size()) return false;
  for (std::string_view want : run) {
    if (!sjis::equalsIgnoreCaseAscii(sql.substr(words[i].pos, words[i].length), want)) return false;
    ++i;
  }
  return true;
}

}  // namespace

std::vector<SqlWord> topLevelWords(std::string_view sql) {
  std::vector<SqlWord> words;
  walk(sql, [&](std::size_t pos, const Piece& piece, int depth) {
    if (piece.part == Part::Word && depth == 0) words.push_back({pos, piece.end - pos});
  });
  return words;
}

std::size_t findFirstTopLevel(std::string_view sql, std::initializer_list<std::string_view> run, std::size_t from) {
  const std::vector<SqlWord> words = topLevelWords(sql);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i].pos >= from && runAt(sql, words, i, run)) return words[i].pos;
  }
  return kNotFound;
}

std::size_t findLastTopLevel(std::string_view sql, std::initializer_list<std::string_view> run) {
  const std::vector<SqlWord> words = topLevelWords(sql);
  for (std::size_t i = words.size(); i-- > 0;) {
    if (runAt(sql, words, i, run)) return words[i].pos;
  }
  return kNotFound;
}

std::size_t endOfFirstTopLevel(std::string_view sql, std::initializer_list<std::string_view> run) {
  const std::vector<SqlWord> words = topLevelWords(sql);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (runAt(sql, words, i, run)) {
      const SqlWord& last = words[i + run.size() - 1];
      return last.pos + last.length;
    }
  }
  return kNotFound;
}

std::string_view withoutFinalSemicolon(std::string_view sql) {
  std::size_t contentEnd = 0;     // end of the last piece that is not blank or comment
  bool endsInSemicolon = false;
  walk(sql, [&](std::size_t, const Piece& piece, int) {
    if (piece.part == Part::Blank || piece.part == Part::Comment) return;
    contentEnd = piece.end;
    endsInSemicolon = piece.part == Part::Semicolon;
  });
  return sql.substr(0, endsInSemicolon ? contentEnd - 1 : contentEnd);
}

std::string_view trimBlanks(std::string_view s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && isBlank(s[begin])) ++begin;
  while (end > begin && isBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

}  // namespace qm::search

#include "common/text/sjis.h"

namespace qm::sjis {
namespace {

bool isTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

unsigned char byteAt(std::string_view s, std::size_t pos) { return static_cast<unsigned char>(s[pos]); }

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A byte match only counts when it also ends on a character boundary: a needle
// ending in a lead byte must not swallow half of the haystack's character.
bool matchesAt(std::string_view s, std::size_t pos, std::string_view needle) {
  if (s.substr(pos, needle.size()) != needle) return false;
  std::size_t end = pos;
  while (end < pos + needle.size()) end = nextChar(s, end);
  return end == pos + needle.size();
}

template <typename Fold>
std::string foldAscii(std::string_view s, Fold fold) {
  std::string out(s);
  for (std::size_t i = 0; i < s.size(); i = nextChar(s, i)) {
    if (charLength(s, i) == 1) out[i] = fold(s[i]);
  }
  return out;
}

}  // namespace

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::size_t charLength(std::string_view s, std::size_t pos) {
  if (pos + 1 >= s.size()) return 1;
  return isLeadByte(byteAt(s, pos)) && isTrailByte(byteAt(s, pos + 1)) ? 2 : 1;
}

bool isCharBoundary(std::string_view s, std::size_t pos) {
  if (pos > s.size()) return false;
  std::size_t i = 0;
  while (i < pos) i = nextChar(s, i);
  return i == pos;
}

std::size_t find(std::string_view s, char c, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i = nextChar(s, i)) {
    if (s[i] == c && charLength(s, i) == 1) return i;
  }
  return npos;
}

std::size_t find(std::string_view s, std::string_view needle, std::size_t from) {
  if (from > s.size()) return npos;
  if (needle.empty()) return from;
  for (std::size_t i = from; i < s.size(); i = nextChar(s, i)) {
    if (matchesAt(s, i, needle)) return i;
  }
  return npos;
}

std::size_t findLast(std::string_view s, char c) {
  std::size_t last = npos;
  for (std::size_t i = find(s, c); i != npos; i = find(s, c, i + 1)) last = i;
  return last;
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (matchesAt(s, i, from)) {
      out += to;
      i += from.size();
      continue;
    }
    std::size_t next = nextChar(s, i);
    out += s.substr(i, next - i);
    i = next;
  }
  return out;
}

std::string toUpperAscii(std::string_view s) { return foldAscii(s, upper); }
std::string toLowerAscii(std::string_view s) { return foldAscii(s, lower); }

// Walking `a` is enough: a double-byte character is compared exactly, so `b`
// holds the same lead and trail bytes there and splits into the same characters.
bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); i = nextChar(a, i)) {
    if (charLength(a, i) == 2) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
    } else if (upper(a[i]) != upper(b[i])) {
      return false;
    }
  }
  return true;
}

std::string_view cutToBytes(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return s;
  std::size_t end = 0;
  for (std::size_t next = nextChar(s, 0); next <= maxBytes; next = nextChar(s, next)) end = next;
  return s.substr(0, end);
}

}  // namespace qm::sjis

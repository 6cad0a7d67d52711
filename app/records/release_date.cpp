#include "app/records/release_date.h"

#include <cstdio>

#include "common/text/encoding.h"

namespace qm::records {

namespace {

// The number at `pos` as far as digits go; no digit reads as 0.
long long leadingNumber(std::string_view text, std::size_t pos) {
  long long value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = value * 10 + (text[pos] - '0');
    if (value > 100000) return value;  // far past every bound tested
  }
  return value;
}

bool inRange(long long value, long long low, long long high) { return value >= low && value <= high; }

}  // namespace

std::optional<std::string> normalizeReleaseDate(std::string_view text) {
  if (text.empty()) return std::string("0");
  if (text.size() < 4) return std::nullopt;
  const long long year = leadingNumber(text, 0);
  long long month = 0;
  long long day = 0;
  if (!inRange(year, 1840, 2060)) return std::nullopt;
  if (text.size() >= 6) {
    month = leadingNumber(text, 5);
    if (!inRange(month, 1, 12)) return std::nullopt;
  }
  if (text.size() >= 8) {
    const std::size_t dash = text.find('-', 6);
    if (dash == std::string_view::npos) return std::nullopt;
    day = leadingNumber(text, dash + 1);
    if (!inRange(day, 1, 31)) return std::nullopt;
  }
  char stored[16];
  std::snprintf(stored, sizeof stored, "%04lld-%02lld-%02lld", year, month, day);
  return std::string(stored);
}

std::string releaseDateShown(std::string_view stored) {
  if (stored == "0") return {};
  if (stored.substr(std::min<std::size_t>(4, stored.size()), 3) == "-00") return std::string(stored.substr(0, 4));
  if (stored.substr(std::min<std::size_t>(7, stored.size()), 3) == "-00") return std::string(stored.substr(0, 7));
  return std::string(stored);
}

std::optional<std::string> releaseDateToSave(std::string_view shown, std::string_view stored) {
  if (shown == releaseDateShown(stored) && !stored.empty()) return std::string(stored);
  return normalizeReleaseDate(shown);
}

std::string releaseDateRefusal() {
  return text::sjis(
      "発売日の指定に不備があります。\nyyyy-mm-dd形式で指定してください。\n例) 1980-5-25 ※月以降または日は省略可");
}

}  // namespace qm::records

#include "common/dat/name_tags.h"

#include <array>

#include "common/text/sjis.h"

namespace qm::dat {
namespace {

constexpr std::array<std::string_view, 32> kRegions = {
    "World",   "Japan",   "USA",       "Europe", "Asia",    "Korea",  "China",     "Taiwan",
    "Hong Kong", "Australia", "Brazil", "Canada", "France", "Germany", "Italy",   "Spain",
    "Sweden",  "Netherlands", "UK",    "Russia", "Scandinavia", "Denmark", "Finland", "Norway",
    "Poland",  "Portugal", "Greece",   "Belgium", "Austria", "Switzerland", "Mexico", "Latin America"};

bool isUpperCode(std::string_view part) {
  return part.size() == 2 && part[0] >= 'A' && part[0] <= 'Z' && part[1] >= 'A' && part[1] <= 'Z';
}

// Every part of `text` cut at `separator` passes `test`.
template <typename Test>
bool allParts(std::string_view text, std::string_view separator, Test&& test) {
  while (true) {
    const std::size_t cut = text.find(separator);
    if (!test(text.substr(0, cut))) return false;
    if (cut == std::string_view::npos) return true;
    text.remove_prefix(cut + separator.size());
  }
}

bool isRegion(std::string_view tag) {
  const bool named = allParts(tag, ", ", [](std::string_view part) {
    for (std::string_view region : kRegions)
      if (part == region) return true;
    return false;
  });
  return named || allParts(tag, "-", isUpperCode);
}

bool isVersion(std::string_view tag) {
  if (tag.starts_with("Rev ") || tag.starts_with("Beta") || tag.starts_with("Proto")) return true;
  return tag.size() >= 2 && tag[0] == 'v' && tag[1] >= '0' && tag[1] <= '9';
}

void append(std::string& to, std::string_view text) {
  if (!to.empty()) to += ' ';
  to += text;
}

}  // namespace

NameTags nameTags(std::string_view name) {
  NameTags tags;
  // "[" and "]" are trail bytes of some characters ("ー" is 0x81 0x5B): the
  // scan goes by whole characters.
  for (std::size_t at = 0; at < name.size(); at = sjis::nextChar(name, at)) {
    if (name[at] != '(' && name[at] != '[') continue;
    const char close = name[at] == '(' ? ')' : ']';
    const std::size_t end = sjis::find(name, close, at + 1);
    if (end == sjis::npos) break;
    const std::string_view tag = name.substr(at + 1, end - at - 1);
    if (close == ']') append(tags.version, name.substr(at, end - at + 1));
    else if (tags.country.empty() && isRegion(tag)) tags.country = std::string(tag);
    else if (isVersion(tag)) append(tags.version, tag);
    at = end;
  }
  return tags;
}

}  // namespace qm::dat

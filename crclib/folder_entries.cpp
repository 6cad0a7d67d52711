#include "crclib/folder_entries.h"

#include <algorithm>
#include <utility>

#include "common/text/sjis.h"

namespace qm::reg {

bool nameOrder(const FolderEntry& a, const FolderEntry& b) {
  const std::string foldedA = sjis::toUpperAscii(a.name), foldedB = sjis::toUpperAscii(b.name);
  if (foldedA != foldedB) return foldedA < foldedB;
  return a.name < b.name;
}

void sortByName(std::vector<FolderEntry>& entries) {
  // Folded once per name, not once per comparison.
  std::vector<std::pair<std::string, FolderEntry>> keyed;
  keyed.reserve(entries.size());
  for (auto& entry : entries) keyed.emplace_back(sjis::toUpperAscii(entry.name), std::move(entry));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i) entries[i] = std::move(keyed[i].second);
}

}  // namespace qm::reg

#include "common/archive/zip_pairing.h"

#include "common/archive/member_name.h"

namespace qm::archive {

ZipPairing::ZipPairing(std::vector<ZipDirectoryEntry> entries)
    : entries_(std::move(entries)), taken_(entries_.size(), false) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const ZipDirectoryEntry& e = entries_[i];
    byName_[names::zipViewKey(e.rawName, e.utf8Flag)].push_back(i);
    if (e.unicodePath) byUnicodeName_[names::viewKey(*e.unicodePath)].push_back(i);
  }
}

const ZipDirectoryEntry* ZipPairing::take(std::string_view utf8View) {
  const std::string key = names::viewKey(utf8View);
  if (const ZipDirectoryEntry* entry = takeFrom(byName_, key)) return entry;
  return takeFrom(byUnicodeName_, key);
}

const ZipDirectoryEntry* ZipPairing::takeFrom(Index& index, const std::string& key) {
  const auto found = index.find(key);
  if (found == index.end()) return nullptr;
  std::deque<std::size_t>& queue = found->second;
  while (!queue.empty() && taken_[queue.front()]) queue.pop_front();
  if (queue.empty()) return nullptr;
  const std::size_t i = queue.front();
  queue.pop_front();
  taken_[i] = true;
  return &entries_[i];
}

}  // namespace qm::archive

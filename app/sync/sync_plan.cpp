#include "app/sync/sync_plan.h"

#include <algorithm>
#include <map>
#include <utility>

namespace qm::sync {
namespace {

std::optional<std::int64_t> sizeOnRecord(const reg::SeenStamps& seen, const std::string& key) {
  const auto it = seen.find(key);
  if (it == seen.end()) return std::nullopt;
  return it->second.size;
}

// For every gone image the new files it matches, and the other way round.
struct Matches {
  std::vector<std::vector<std::size_t>> ofGone;   // indexes into found
  std::vector<std::vector<std::size_t>> ofFound;  // indexes into gone
};

Matches match(const std::vector<GoneImage>& gone, const std::vector<FoundImage>& found, const reg::SeenStamps& seen) {
  Matches m{std::vector<std::vector<std::size_t>>(gone.size()), std::vector<std::vector<std::size_t>>(found.size())};
  std::multimap<std::string, std::size_t> newByCrc;
  for (std::size_t f = 0; f < found.size(); ++f)
    if (!found[f].inLibrary && !found[f].crc32.empty()) newByCrc.emplace(found[f].crc32, f);
  for (std::size_t g = 0; g < gone.size(); ++g) {
    if (gone[g].crc32.empty()) continue;
    const auto size = sizeOnRecord(seen, gone[g].key);
    const auto [first, last] = newByCrc.equal_range(gone[g].crc32);
    for (auto it = first; it != last; ++it) {
      if (size && found[it->second].stamp.size != *size) continue;
      m.ofGone[g].push_back(it->second);
      m.ofFound[it->second].push_back(g);
    }
  }
  return m;
}

// The gone images and new files linked by matches, starting from gone image `g`.
void collectGroup(const Matches& m, std::size_t g, std::vector<bool>& goneDone, std::vector<bool>& foundDone,
                  Ambiguity& group, const std::vector<GoneImage>& gone, const std::vector<FoundImage>& found) {
  if (goneDone[g]) return;
  goneDone[g] = true;
  group.gone.push_back(gone[g].key);
  for (std::size_t f : m.ofGone[g]) {
    if (foundDone[f]) continue;
    foundDone[f] = true;
    group.found.push_back(found[f].key);
    for (std::size_t other : m.ofFound[f]) collectGroup(m, other, goneDone, foundDone, group, gone, found);
  }
}

void planGone(SyncPlan& plan, const Matches& m, const std::vector<GoneImage>& gone,
              const std::vector<FoundImage>& found, std::vector<bool>& foundTaken) {
  std::vector<bool> goneDone(gone.size(), false);
  for (std::size_t g = 0; g < gone.size(); ++g) {
    if (goneDone[g]) continue;
    if (m.ofGone[g].empty()) {
      goneDone[g] = true;
      plan.missing.push_back(gone[g].key);
      continue;
    }
    const std::size_t f = m.ofGone[g].front();
    if (m.ofGone[g].size() == 1 && m.ofFound[f].size() == 1) {
      goneDone[g] = foundTaken[f] = true;
      plan.moved.push_back({gone[g].key, found[f].key});
      continue;
    }
    Ambiguity group;
    collectGroup(m, g, goneDone, foundTaken, group, gone, found);
    plan.ambiguous.push_back(std::move(group));
  }
}

}  // namespace

SyncPlan planSync(const std::vector<GoneImage>& gone, const std::vector<FoundImage>& found,
                  const reg::SeenStamps& seen) {
  SyncPlan plan;
  const Matches m = match(gone, found, seen);
  std::vector<bool> foundTaken(found.size(), false);
  planGone(plan, m, gone, found, foundTaken);
  for (std::size_t f = 0; f < found.size(); ++f) {
    const FoundImage& image = found[f];
    if (!image.inLibrary) {
      if (!foundTaken[f]) plan.added.push_back(image.key);
      continue;
    }
    const auto it = seen.find(image.key);
    if (it == seen.end())
      plan.firstSeen.push_back(image.key);
    else if (!(it->second == image.stamp))
      plan.changed.push_back(image.key);
  }
  return plan;
}

MatchSizes::MatchSizes(const std::vector<GoneImage>& gone, const reg::SeenStamps& seen) {
  for (const GoneImage& image : gone) {
    if (image.crc32.empty()) continue;
    const auto size = sizeOnRecord(seen, image.key);
    if (!size) anySize_ = true;
    else sizes_.push_back(*size);
  }
  std::sort(sizes_.begin(), sizes_.end());
}

bool MatchSizes::worthReading(std::int64_t size) const {
  return anySize_ || std::binary_search(sizes_.begin(), sizes_.end(), size);
}

}  // namespace qm::sync

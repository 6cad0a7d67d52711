#include "app/snapshots/folder_cache.h"

#include <algorithm>
#include <numeric>

#include "common/platform/files.h"
#include "common/platform/folder_listing.h"
#include "common/text/sjis.h"

namespace qm::snapshots {

namespace {

constexpr const char* kExtensions[] = {".BMP", ".PNG", ".GIF", ".JPG"};

bool endsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// A stem holding a separator names a file elsewhere (a title "..\x", say);
// the listing holds no such names, but say so plainly.
bool plainStem(std::string_view stem) {
  return sjis::find(stem, '\\') == sjis::npos && stem.find('/') == std::string_view::npos;
}

}  // namespace

const FolderCache::Listing* FolderCache::listing(const std::string& folder) {
  const auto stamp = platform::folderStamp(folder);
  if (!stamp) {
    folders_.erase(folder);
    return nullptr;
  }
  auto it = folders_.find(folder);
  if (it != folders_.end() && it->second.stamp == *stamp) {
    it->second.lastUse = ++uses_;
    return &it->second;
  }
  auto names = platform::listFiles(folder);
  if (!names) return nullptr;
  ++listingsRead_;
  if (it == folders_.end() && folders_.size() >= kFoldersKept) {
    folders_.erase(std::min_element(folders_.begin(), folders_.end(), [](const auto& a, const auto& b) {
      return a.second.lastUse < b.second.lastUse;
    }));
  }
  Listing fresh;
  fresh.folder = folder;
  fresh.stamp = *stamp;
  fresh.lastUse = ++uses_;
  std::vector<std::string> upper;
  upper.reserve(names->size());
  for (const auto& name : *names) upper.push_back(sjis::toUpperAscii(name));
  std::vector<std::size_t> order(names->size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return upper[a] < upper[b]; });
  for (std::size_t i : order) {
    fresh.upperNames.push_back(std::move(upper[i]));
    fresh.names.push_back(std::move((*names)[i]));
  }
  return &(folders_[folder] = std::move(fresh));
}

std::optional<std::string> FolderCache::find(const std::string& folder, const TriedName& name) {
  if (name.stem.empty() || !plainStem(name.stem)) return std::nullopt;
  const Listing* list = listing(folder);
  return list ? find(*list, name) : std::nullopt;
}

std::optional<std::string> FolderCache::find(const Listing& list, const TriedName& name) {
  if (name.stem.empty() || !plainStem(name.stem)) return std::nullopt;
  const std::string& folder = list.folder;
  const std::string stem = sjis::toUpperAscii(name.stem);
  const auto& upper = list.upperNames;
  for (const char* extension : kExtensions) {
    if (!name.prefix) {
      const std::string wanted = stem + extension;
      const auto it = std::lower_bound(upper.begin(), upper.end(), wanted);
      if (it != upper.end() && *it == wanted) return platform::joinPath(folder, list.names[it - upper.begin()]);
      continue;
    }
    for (auto it = std::lower_bound(upper.begin(), upper.end(), stem);
         it != upper.end() && it->compare(0, stem.size(), stem) == 0; ++it) {
      // The stem must end on a character of the name, not inside one.
      if (!sjis::isCharBoundary(*it, stem.size())) continue;
      if (it->size() >= stem.size() + 4 && endsWith(*it, extension))
        return platform::joinPath(folder, list.names[it - upper.begin()]);
    }
  }
  return std::nullopt;
}

}  // namespace qm::snapshots

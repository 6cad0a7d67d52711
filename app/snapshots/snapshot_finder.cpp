#include "app/snapshots/snapshot_finder.h"

#include "app/settings/settings.h"
#include "common/platform/files.h"
#include "common/text/sjis.h"

namespace qm::snapshots {

namespace {

// The extension of the last path component, upper case; "" when it has none.
std::string upperExtension(std::string_view path) {
  const std::string_view name = lastPathPart(path);
  const std::size_t dot = sjis::findLast(name, '.');
  return dot == sjis::npos ? std::string() : sjis::toUpperAscii(name.substr(dot + 1));
}

bool isPictureExtension(const std::string& extension) {
  return extension == "PNG" || extension == "GIF" || extension == "JPG" || extension == "BMP";
}

}  // namespace

FindSettings findSettingsFrom(const platform::IniFile& ini) {
  FindSettings s;
  for (int n = 0; n < kRuleCount; ++n) {
    s.mode[n] = readNumber(ini, Setting::SnapShotFindMode, n);
    s.order[n] = readNumber(ini, Setting::SnapShotFindOrder, n);
  }
  return s;
}

FindSettings findSettingsFrom(const Settings& settings) {
  FindSettings s;
  for (int n = 0; n < kRuleCount; ++n) {
    s.mode[n] = settings.number(Setting::SnapShotFindMode, n);
    s.order[n] = settings.number(Setting::SnapShotFindOrder, n);
  }
  return s;
}

std::optional<FoundPicture> searchFolder(FolderCache& cache, const FindSettings& settings,
                                         const std::string& folder, const NameInputs& names) {
  if (folder.empty()) return std::nullopt;
  // One look at the folder's time for the whole search, not one per name.
  const FolderCache::Listing* listing = cache.listing(folder);
  if (!listing) return std::nullopt;
  std::array<bool, kRuleCount> tried{};
  for (int position = 0; position < kRuleCount; ++position) {
    const int rule = settings.order[position];
    // An order naming no rule, or one already tried, adds nothing.
    if (rule < 0 || rule >= kRuleCount || tried[rule] || settings.mode[rule] != 1) continue;
    tried[rule] = true;
    for (const auto& name : ruleNames(rule, names))
      if (auto path = FolderCache::find(*listing, name)) return FoundPicture{std::move(*path), rule, matchLabel(rule)};
  }
  return std::nullopt;
}

std::optional<FoundPicture> findPicture(FolderCache& cache, const FindSettings& settings,
                                        const SlotSources& sources, const NameInputs& names) {
  if (sources.itemPath.empty()) return searchFolder(cache, settings, sources.machineFolder, names);
  if (!platform::fileExists(sources.itemPath)) return std::nullopt;
  const std::string extension = upperExtension(sources.itemPath);
  if (isPictureExtension(extension)) return FoundPicture{sources.itemPath, -1, {}};
  if (extension.empty()) return searchFolder(cache, settings, sources.itemPath, names);
  return std::nullopt;
}

}  // namespace qm::snapshots

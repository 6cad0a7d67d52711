// Finding the picture of one slot (1..3) of an item: the item's own path when
// it has one, else the rules over the snapshot folder of its machine.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/snapshots/folder_cache.h"
#include "app/snapshots/name_rules.h"
#include "common/platform/ini.h"

namespace qm {
class Settings;
}

namespace qm::snapshots {

inline constexpr int kSlotCount = 3;

// Which rules are used ("FindMode"n) and in which order ("FindOrder"n).
struct FindSettings {
  std::array<int, kRuleCount> mode{0, 1, 1, 1, 1, 0, 0, 0};
  std::array<int, kRuleCount> order{0, 1, 2, 3, 4, 5, 6, 7};
  bool operator==(const FindSettings&) const = default;
};
FindSettings findSettingsFrom(const platform::IniFile& ini);
FindSettings findSettingsFrom(const Settings& settings);

// Where one slot of one item may have its picture (full paths, program text).
struct SlotSources {
  std::string itemPath;       // the item's own file or folder; "" when none
  std::string machineFolder;  // the machine's snapshot folder; "" when none
  bool operator==(const SlotSources&) const = default;
};

struct FoundPicture {
  std::string path;
  int rule = -1;      // -1 for the item's own picture file
  std::string label;  // "match>..." for a rule, "" for the item's own file
};

std::optional<FoundPicture> findPicture(FolderCache& cache, const FindSettings& settings,
                                        const SlotSources& sources, const NameInputs& names);

// The rules alone over one folder.
std::optional<FoundPicture> searchFolder(FolderCache& cache, const FindSettings& settings,
                                         const std::string& folder, const NameInputs& names);

}  // namespace qm::snapshots

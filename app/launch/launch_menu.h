// The "エミュレータで起動" submenu: one entry per setting of the item's
// machine (1700 + position), the machine default drawn bold, the item's own
// setting (or the default) checked; for the parent of a set each entry opens
// the set's images (1800 + position) to boot from.
#pragma once

#include <string>
#include <vector>

#include "app/launch/launch_item.h"

namespace qm::launch {

inline constexpr int kFirstSettingCommand = 1700;
inline constexpr int kFirstImageCommand = 1800;
inline constexpr int kMaxMenuEntries = 100;

struct SettingMenuEntry {
  std::string label;
  bool isDefault = false;
  bool checked = false;
};

// Letter case is ignored in both comparisons.
std::vector<SettingMenuEntry> settingMenuEntries(const std::vector<std::string>& names,
                                                 const std::string& defaultName, const std::string& emusetName);

// The parent's member title (or its file title), then each child's.
std::vector<std::string> imageMenuLabels(const std::string& dbPath, const LaunchItem& parent);

}  // namespace qm::launch

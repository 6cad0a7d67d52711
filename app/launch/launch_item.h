// The values of the item a launch starts, copied once before the launch runs
// so that nothing reads the item list's live result afterwards.
#pragma once

#include <optional>
#include <string>

namespace qm::launch {

struct LaunchItem {
  std::string fileName;   // the image key
  std::string machineName;
  std::string title;
  std::string maker;
  std::string developer;
  std::string ply;        // "1" for the parent of a set
  std::string fileTitle;
  std::string fileExt;
  std::string fileArcTitle;
  std::string fileArcExt;
  std::string crc32;
  std::string alterEgo;   // "1" when it launches through its alter ego
  std::string playTime;
  std::string emusetName; // its own emulator setting, "" for the machine default
  int maxDisk = 0;        // images of its set, 0 for a single image
};

bool isSetParent(const LaunchItem& item);
bool launchesAlterEgo(const LaunchItem& item);

// How many images the launch takes: for a set parent the highest disk number
// of its set as main_table holds it (tmp_maxdisk is derived and lags behind
// whatever changed the set without rebuilding it), else `maxDisk`; at least 1.
int launchedDiskCount(const std::string& dbPath, const LaunchItem& item);

// The item's values read from the library, or nothing when the key is unknown
// (or the library cannot be read: `error` then holds the engine's text).
std::optional<LaunchItem> loadLaunchItem(const std::string& dbPath, const std::string& key,
                                         std::string* error = nullptr);

}  // namespace qm::launch

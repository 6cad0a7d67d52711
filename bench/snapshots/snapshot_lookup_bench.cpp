// Moving the cursor through a generated library of 100,000 items whose machine
// shares one snapshot folder of 30,000 pictures: per item, the one query for
// its names and paths and the search of its three slots, as the information
// view does. The first lookup reads the folder; every later one uses the
// cached listing.
//
//   bench_snapshot_lookup
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/snapshots/item_snapshots.h"
#include "bench/support/generated_library.h"
#include "common/db/db_connection.h"

namespace {

namespace fs = std::filesystem;
namespace snaps = qm::snapshots;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;
constexpr int kPictures = 30000;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The thread's own processor time: on a busy machine the wall clock also
// counts the time other processes had the processor.
double cpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  double total = 0;
  for (double m : ms) total += m;
  std::printf("%s: total %.0f ms, mean %.3f ms, median %.3f ms, 99%% %.3f ms, worst %.3f ms\n", what, total,
              total / ms.size(), ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back());
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "qm-bench-snapshots";
  std::printf("generating a library of %d items in %s ...\n", kItems, folder.string().c_str());
  const std::string path = qm::bench::makeGeneratedLibrary(folder, kItems);
  if (path.empty()) return 1;
  qm::db::DbConnection db;
  db.open(path);
  const fs::path pictures = folder / "snap";
  fs::create_directories(pictures);
  if (db.execute("UPDATE machine_info_table SET snap_path='snap', snap_path2='snap', snap_path3='snap';") ||
      db.execute("SELECT file_name, crc32 FROM main_table ORDER BY rowid;")) {
    std::printf("%s\n", db.lastError()->c_str());
    return 1;
  }
  std::vector<std::string> keys;
  for (int row = 1; row <= db.rowCount(); ++row) {
    keys.push_back(db.cell(row, 0));
    // Every third item has a picture under its CRC, some under its image name.
    if (row % 3 == 0 && row / 3 <= kPictures) {
      const std::string crc = db.cell(row, 1);
      std::ofstream(pictures / ((crc.empty() ? std::to_string(row) : crc) + ".png")) << "x";
    }
  }
  std::printf("%zu items, %zu pictures\n", keys.size(),
              static_cast<std::size_t>(std::distance(fs::directory_iterator(pictures), fs::directory_iterator())));
  const std::string programFolder = folder.string();
  snaps::FolderCache cache;
  // The CRC rule (off by default) first, then the default rules.
  snaps::FindSettings settings;
  settings.mode[0] = 1;
  std::vector<double> wall;
  std::vector<double> cpu;
  int found = 0;
  const auto lookUp = [&](const std::string& key) {
    const auto start = Clock::now();
    const double cpuStart = cpuMs();
    const auto load = snaps::loadItemSnapshots(db, key, programFolder);
    for (const auto& slot : load.item->slots)
      if (snaps::findPicture(cache, settings, slot, load.item->names)) ++found;
    cpu.push_back(cpuMs() - cpuStart);
    wall.push_back(msSince(start));
  };
  lookUp(keys[0]);
  std::printf("first lookup (reads the folder): %.2f ms\n", wall[0]);
  wall.clear();
  cpu.clear();
  for (const auto& key : keys) lookUp(key);
  std::printf("%zu lookups of 3 slots (target: under 5 ms each)\n", wall.size());
  report("  wall clock", wall);
  report("  processor", cpu);
  std::printf("pictures found: %d, folder listings read: %d\n", found, cache.listingsRead());
  return 0;
}

#include "app/capture/auto_snapshot_files.h"

#include "app/capture/snapshot_files.h"
#include "app/capture/snapshot_names.h"
#include "common/platform/confined_delete.h"
#include "common/platform/files.h"

namespace qm::capture {

void AutoSnapshotRuns::runStarted() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++live_;
}

bool AutoSnapshotRuns::runEnded() {
  std::lock_guard<std::mutex> lock(mutex_);
  return --live_ == 0;
}

std::string AutoSnapshotRuns::takeName(const std::string& folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (;;) {
    std::string name = autoSnapName(counter_++);
    // Matched without regard to case, as the file system of the pictures does.
    if (platform::listMatchingFiles(folder, name + ".png").empty()) return name;
  }
}

AutoSnapshotRuns& autoSnapshotRuns() {
  static AutoSnapshotRuns runs;
  return runs;
}

AutoSnapshotFiles::AutoSnapshotFiles(AutoSnapshotRuns& runs, std::string folder)
    : runs_(runs), folder_(std::move(folder)) {
  runs_.runStarted();
}

AutoSnapshotFiles::~AutoSnapshotFiles() { end(); }

bool AutoSnapshotFiles::end() {
  if (!live_) return false;
  live_ = false;
  return runs_.runEnded();
}

std::string AutoSnapshotFiles::pathOf(const std::string& name) const {
  return platform::joinPath(folder_, name + ".PNG");
}

std::string AutoSnapshotFiles::takeName() {
  taken_.push_back(runs_.takeName(folder_));
  return taken_.back();
}

std::vector<std::string> AutoSnapshotFiles::pictures() const {
  std::vector<std::string> there;
  for (const std::string& name : taken_)
    if (platform::fileExists(pathOf(name))) there.push_back(pathOf(name));
  return there;
}

int AutoSnapshotFiles::cleanUp() {
  const bool last = end();
  const platform::DeleteDecision decision = platform::mayEmptyFolder({folder_, {}, nullptr});
  if (!decision.allowed()) return -1;
  int deleted = 0;
  for (const std::string& name : taken_)
    if (platform::deleteFile(platform::joinPath(decision.resolved, name + ".PNG"))) ++deleted;
  taken_.clear();
  if (last) deleted += deleteAutoSnapshots(decision.resolved);
  return deleted;
}

}  // namespace qm::capture

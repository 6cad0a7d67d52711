// Automatic snapshots of one launch: a thread that wakes every five seconds
// while the emulator runs and saves the desktop, the foreground window or the
// clipboard picture into the extract folder under names its files give
// (auto_snapshot_files.h).
// Each launch has its own run and its own stop signal; stop() wakes the
// thread at once and joins it, so its pictures are complete before anyone
// looks at them.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "app/capture/auto_snapshot_files.h"

namespace qm::capture {

class AutoSnapshotRun {
public:
  static constexpr int kIntervalMs = 5000;

  // `files` outlives the run; the thread takes its names.
  AutoSnapshotRun(int mode, AutoSnapshotFiles& files, bool systemFolderOnly);
  ~AutoSnapshotRun() { stop(); }
  AutoSnapshotRun(const AutoSnapshotRun&) = delete;
  AutoSnapshotRun& operator=(const AutoSnapshotRun&) = delete;

  void stop();
  int taken() const { return taken_; }  // after stop()

private:
  void run();
  bool waitOrStop();  // true when asked to stop

  int mode_;
  AutoSnapshotFiles& files_;
  bool systemFolderOnly_;
  int taken_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace qm::capture

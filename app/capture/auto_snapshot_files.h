// The pictures one run of automatic snapshots leaves in its extract folder.
// Runs may share that folder (two launches at once, or a second program
// instance), so no run may replace or delete another's pictures: names come
// from a counter shared by every run of the process, skipping names a file
// of the folder already holds, and each run lists and deletes only the names
// it took. Pictures left by a run cut short go with the whole
// "AutoSnap*.png" sweep, which only the last live run of the process makes.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace qm::capture {

// What the runs of one process share; the process has one (autoSnapshotRuns()).
class AutoSnapshotRuns {
public:
  void runStarted();
  bool runEnded();  // true when no other run is live
  // The next counter value whose name no file of `folder` holds.
  std::string takeName(const std::string& folder);

private:
  std::mutex mutex_;
  int counter_ = 0;
  int live_ = 0;
};

AutoSnapshotRuns& autoSnapshotRuns();

class AutoSnapshotFiles {
public:
  AutoSnapshotFiles(AutoSnapshotRuns& runs, std::string folder);  // counts the run as live
  ~AutoSnapshotFiles();                                            // no longer live, if not cleaned up
  AutoSnapshotFiles(const AutoSnapshotFiles&) = delete;
  AutoSnapshotFiles& operator=(const AutoSnapshotFiles&) = delete;

  const std::string& folder() const { return folder_; }
  // "AutoSnap" and four or more digits: the name to save the next picture under.
  std::string takeName();
  // The run's pictures still there, as full paths in the order they were taken.
  std::vector<std::string> pictures() const;
  // Deletes the run's pictures, and when no other run is live every
  // "AutoSnap*.png" of the folder; ends the run. How many went, or -1 when
  // the folder may not be emptied (see deleteAutoSnapshots).
  int cleanUp();

private:
  std::string pathOf(const std::string& name) const;
  bool end();

  AutoSnapshotRuns& runs_;
  std::string folder_;
  std::vector<std::string> taken_;
  bool live_ = true;
};

}  // namespace qm::capture

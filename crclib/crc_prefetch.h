// CRCs of the files a registration is about to store, computed a few files
// ahead on a second thread while the run's own thread writes rows. The run
// takes the results in its own order; a file it was not offered for, or one it
// takes out of turn, it computes itself. Nothing here touches a window.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "crclib/crc_window.h"
#include "crclib/file_crc.h"

namespace qm::reg {

class CrcPrefetch {
public:
  CrcPrefetch(crc::CrcWindow window, crc::CrcSet set);
  ~CrcPrefetch();
  CrcPrefetch(const CrcPrefetch&) = delete;
  CrcPrefetch& operator=(const CrcPrefetch&) = delete;

  // Files to compute, in the order the run will take them.
  void offer(const std::vector<std::string>& paths);
  // The report of `path` when it was offered (waiting for it if need be);
  // files offered before it and not taken are dropped.
  std::optional<crc::CrcReport> take(const std::string& path);

private:
  struct Item {
    std::string path;
    bool started = false;
    std::optional<crc::CrcReport> report;
  };
  void work();
  // Whether the second thread has a batch to start: a whole one in the window,
  // or the last of what was offered. Called under the lock.
  bool batchReady() const;

  // Files computed but not taken yet: enough to keep both threads busy, few
  // enough that memory does not grow with the tree.
  static constexpr std::size_t kAhead = 32;
  // The threads hand files over in batches: one wake-up per file would cost
  // as much as reading a small file.
  static constexpr std::size_t kBatch = 8;

  crc::CrcWindow window_;
  crc::CrcSet set_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item> items_;  // front: the next file the run takes
  bool closing_ = false;
  bool workerWaiting_ = false;
  std::thread thread_;
};

}  // namespace qm::reg

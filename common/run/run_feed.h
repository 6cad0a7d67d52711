// The log, status line and progress of a run on its worker thread, kept for
// the interface thread to take in batches. A walk over 100,000 rows would
// overflow a window's message queue with one message per line, so the feed
// asks for one wake-up when it goes from empty to pending and the interface
// thread takes everything gathered since.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/run/run_context.h"

namespace qm::maintenance {

class RunFeed : public RunObserver {
public:
  // `wake` runs on the worker; false when the wake-up could not be sent, in
  // which case the next call tries again.
  explicit RunFeed(std::function<bool()> wake) : wake_(std::move(wake)) {}

  void log(const std::string& line) override;
  void progressRange(int total) override;
  void progressStep() override;
  // Replaces the run's status line: a batch carries only the latest.
  void status(const std::string& line);

  struct Batch {
    std::vector<std::string> lines;     // in the order logged
    std::optional<std::string> status;  // the latest, when it changed since the last batch
    std::optional<int> range;           // a new range since the last batch: position from 0
    int position = 0;                   // steps since the range was set
  };
  // On the interface thread.
  Batch take();

private:
  void changed(std::unique_lock<std::mutex>& lock);

  std::function<bool()> wake_;
  std::mutex mutex_;
  bool pending_ = false;
  Batch batch_;
};

}  // namespace qm::maintenance

// A maintenance run on a thread of its own, for the dialog that starts it.
// Destroying the worker asks the run to stop and waits for it, so a dialog
// that owns one is never destroyed under its running thread.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "common/run/process_stop_flag.h"

namespace qm::maintenance {

class RunWorker {
public:
  explicit RunWorker(StopFlag& stop) : stop_(stop) {}
  ~RunWorker();
  RunWorker(const RunWorker&) = delete;
  RunWorker& operator=(const RunWorker&) = delete;

  // Clears the stop request and starts `run`; false while a run is active.
  bool start(std::function<void()> run);
  bool running() const { return running_.load(); }
  // The run notices after its current row.
  void requestStop() { stop_.store(stop::kAsked); }
  // Waits for the run to end (at once when none was started).
  void wait();

private:
  StopFlag& stop_;
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace qm::maintenance

#include "common/run/run_feed.h"

namespace qm::maintenance {

void RunFeed::log(const std::string& line) {
  std::unique_lock lock(mutex_);
  batch_.lines.push_back(line);
  changed(lock);
}

void RunFeed::status(const std::string& line) {
  std::unique_lock lock(mutex_);
  batch_.status = line;
  changed(lock);
}

void RunFeed::progressRange(int total) {
  std::unique_lock lock(mutex_);
  batch_.range = total;
  batch_.position = 0;
  changed(lock);
}

void RunFeed::progressStep() {
  std::unique_lock lock(mutex_);
  ++batch_.position;
  changed(lock);
}

// The wake-up is sent outside the lock: the interface thread may be taking a
// batch at that moment.
void RunFeed::changed(std::unique_lock<std::mutex>& lock) {
  if (pending_) return;
  pending_ = true;
  lock.unlock();
  if (wake_()) return;
  lock.lock();
  pending_ = false;
}

RunFeed::Batch RunFeed::take() {
  std::lock_guard lock(mutex_);
  Batch out = std::move(batch_);
  batch_ = Batch{};
  // The position is absolute within the current range.
  batch_.position = out.position;
  pending_ = false;
  return out;
}

}  // namespace qm::maintenance

#include "app/renamedata/status_feed.h"

namespace qm::renamedata {

void StatusFeed::status(const std::string& line) {
  std::unique_lock<std::mutex> lock(mutex_);
  batch_.status = line;
  changed(lock);
}

void StatusFeed::testLine(const std::string& line) {
  std::unique_lock<std::mutex> lock(mutex_);
  batch_.lines.push_back(line);
  changed(lock);
}

// The wake-up is sent outside the lock: the window takes the batch under it.
void StatusFeed::changed(std::unique_lock<std::mutex>& lock) {
  if (pending_) return;
  pending_ = true;
  lock.unlock();
  if (wake_) wake_();
}

StatusFeed::Batch StatusFeed::take() {
  std::lock_guard<std::mutex> lock(mutex_);
  pending_ = false;
  return std::exchange(batch_, {});
}

}  // namespace qm::renamedata

#include "crclib/crc_prefetch.h"

namespace qm::reg {

CrcPrefetch::CrcPrefetch(crc::CrcWindow window, crc::CrcSet set) : window_(window), set_(set) {
  thread_ = std::thread([this] { work(); });
}

CrcPrefetch::~CrcPrefetch() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void CrcPrefetch::offer(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  {
    std::lock_guard lock(mutex_);
    for (const auto& path : paths) items_.push_back({path, false, std::nullopt});
  }
  changed_.notify_all();
}

std::optional<crc::CrcReport> CrcPrefetch::take(const std::string& path) {
  std::unique_lock lock(mutex_);
  std::optional<crc::CrcReport> report;
  while (!items_.empty()) {
    Item& front = items_.front();
    if (front.started && !front.report) {
      // Being computed: its bytes are on their way either way.
      changed_.wait(lock, [&] { return items_.front().report.has_value(); });
      continue;
    }
    const bool match = front.path == path;
    // Not reached yet: computed here rather than waited for.
    if (match && front.started) report = std::move(front.report);
    items_.pop_front();
    if (match) break;
  }
  if (workerWaiting_ && batchReady()) changed_.notify_all();
  return report;
}

bool CrcPrefetch::batchReady() const {
  std::size_t unstarted = 0, index = 0;
  for (const auto& item : items_) {
    if (index++ >= kAhead) return unstarted >= kBatch;
    if (!item.started) ++unstarted;
  }
  return unstarted > 0;
}

void CrcPrefetch::work() {
  std::unique_lock lock(mutex_);
  std::vector<std::string> batch;
  std::vector<crc::CrcReport> reports;
  for (;;) {
    workerWaiting_ = true;
    changed_.wait(lock, [&] { return closing_ || batchReady(); });
    workerWaiting_ = false;
    if (closing_) return;
    batch.clear();
    std::size_t index = 0;
    for (auto& item : items_) {
      if (index++ >= kAhead || batch.size() == kBatch) break;
      if (item.started) continue;
      item.started = true;
      batch.push_back(item.path);
    }
    lock.unlock();
    reports.clear();
    for (const std::string& path : batch) reports.push_back(crc::fileCrc(path, window_, set_));
    lock.lock();
    // The items are still queued: the run waits for started items before dropping them.
    std::size_t next = 0;
    for (auto& item : items_) {
      if (next < batch.size() && item.started && !item.report && item.path == batch[next]) {
        item.report = std::move(reports[next++]);
      }
    }
    changed_.notify_all();
  }
}

}  // namespace qm::reg

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
  while (!items_.empty()) {
    Item& front = items_.front();
    if (front.started && !front.report) {
      // Being computed: its bytes are on their way either way.
      changed_.wait(lock, [&] { return items_.front().report.has_value(); });
      continue;
    }
    if (front.path != path) {
      items_.pop_front();
      changed_.notify_all();
      continue;
    }
    if (!front.started) {
      // Not reached yet: compute it here rather than wait for the queue.
      items_.pop_front();
      changed_.notify_all();
      return std::nullopt;
    }
    crc::CrcReport report = std::move(*front.report);
    items_.pop_front();
    changed_.notify_all();
    return report;
  }
  return std::nullopt;
}

void CrcPrefetch::work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    Item* next = nullptr;
    changed_.wait(lock, [&] {
      if (closing_) return true;
      std::size_t index = 0;
      for (auto& item : items_) {
        if (index++ >= kAhead) break;
        if (!item.started) {
          next = &item;
          return true;
        }
      }
      return false;
    });
    if (closing_) return;
    next->started = true;
    const std::string path = next->path;
    lock.unlock();
    crc::CrcReport report = crc::fileCrc(path, window_, set_);
    lock.lock();
    // The item is still queued: the run waits for started items before dropping them.
    for (auto& item : items_) {
      if (item.started && !item.report && item.path == path) {
        item.report = std::move(report);
        break;
      }
    }
    changed_.notify_all();
  }
}

}  // namespace qm::reg

#include "app/library_moves/space_watch.h"

namespace qm::moves {

SpaceWatch::SpaceWatch(ReadSpace readSpace, Measure measure, std::function<void()> changed,
                       std::chrono::milliseconds period)
    : readSpace_(std::move(readSpace)), measure_(std::move(measure)), changed_(std::move(changed)), period_(period) {}

SpaceWatch::~SpaceWatch() {
  requestStop();
  join();
}

void SpaceWatch::start(const std::string& target, bool extractMembers) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    target_ = target;
    extract_ = extractMembers;
  }
  thread_ = std::thread([this] { run(); });
}

void SpaceWatch::setTarget(const std::string& target) {
  std::lock_guard<std::mutex> lock(mutex_);
  target_ = target;
}

void SpaceWatch::setExtractMembers(bool extract) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (extract == extract_) return;
    extract_ = extract;
    measured_ = false;
    figures_.copied.reset();
  }
  wake_.notify_all();
}

SpaceFigures SpaceWatch::figures() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return figures_;
}

void SpaceWatch::requestStop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
}

void SpaceWatch::join() {
  if (thread_.joinable()) thread_.join();
}

// Each pass reads the drive; the copied size only when the choice changed
// since it was measured. The figures are taken under the lock, the slow reads
// are made outside it.
void SpaceWatch::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    const std::string target = target_;
    const bool extract = extract_;
    const bool measure = !measured_;
    lock.unlock();
    const std::optional<DiskSpace> drive = readSpace_(target);
    std::optional<std::uint64_t> copied;
    if (measure) copied = measure_(extract);
    lock.lock();
    figures_.drive = drive;
    if (measure && extract == extract_) {
      figures_.copied = copied;
      measured_ = true;
    }
    lock.unlock();
    changed_();
    lock.lock();
    wake_.wait_for(lock, period_, [this] { return stop_ || !measured_; });
  }
  ended_.store(true);
  lock.unlock();
  changed_();
}

}  // namespace qm::moves

// The backup dialog's watcher: on a thread of its own it reads the target
// drive's space every 2.6 seconds and measures what the backup will copy when
// the choice to unpack members changes. It never touches a window: `changed`
// tells the owner to fetch the figures. It has a stop signal of its own, so
// the dialog's other state never ends it by accident.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/library_moves/disk_space.h"

namespace qm::moves {

struct SpaceFigures {
  std::optional<DiskSpace> drive;       // nothing when it could not be read
  std::optional<std::uint64_t> copied;  // nothing while being measured
};

class SpaceWatch {
public:
  using ReadSpace = std::function<std::optional<DiskSpace>(const std::string& folder)>;
  using Measure = std::function<std::uint64_t(bool extractMembers)>;

  SpaceWatch(ReadSpace readSpace, Measure measure, std::function<void()> changed,
             std::chrono::milliseconds period = std::chrono::milliseconds(2600));
  // Stops and waits.
  ~SpaceWatch();
  SpaceWatch(const SpaceWatch&) = delete;
  SpaceWatch& operator=(const SpaceWatch&) = delete;

  void start(const std::string& target, bool extractMembers);
  void setTarget(const std::string& target);
  // The copied size is measured again at once.
  void setExtractMembers(bool extract);
  SpaceFigures figures() const;

  // Asks the thread to end; it notices within one step of its wait or after
  // the measurement at hand.
  void requestStop();
  bool ended() const { return ended_.load(); }
  void join();

private:
  void run();

  ReadSpace readSpace_;
  Measure measure_;
  std::function<void()> changed_;
  std::chrono::milliseconds period_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::string target_;
  bool extract_ = true;
  bool measured_ = false;  // the copied size fits the current choice
  bool stop_ = false;
  SpaceFigures figures_;
  std::atomic<bool> ended_{false};
  std::thread thread_;
};

}  // namespace qm::moves

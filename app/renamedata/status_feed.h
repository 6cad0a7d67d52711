// The rename run's status line and test lines, kept for the interface thread:
// the run replaces the status once per image, so the window is woken once
// when something becomes pending and takes everything gathered since.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/renamedata/rename_run.h"

namespace qm::renamedata {

class StatusFeed : public RenameObserver {
public:
  explicit StatusFeed(std::function<void()> wake) : wake_(std::move(wake)) {}
  void status(const std::string& line) override;
  void testLine(const std::string& line) override;

  struct Batch {
    std::optional<std::string> status;  // the latest, when it changed
    std::vector<std::string> lines;
  };
  Batch take();

private:
  void changed(std::unique_lock<std::mutex>& lock);

  std::function<void()> wake_;
  std::mutex mutex_;
  bool pending_ = false;
  Batch batch_;
};

}  // namespace qm::renamedata

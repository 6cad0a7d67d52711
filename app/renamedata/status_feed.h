// The rename run's status line and test lines go through the run feed: the
// status as the feed's status line, the test lines as its log.
#pragma once

#include <string>

#include "app/renamedata/rename_run.h"
#include "common/run/run_feed.h"

namespace qm::renamedata {

class StatusFeed : public RenameObserver {
public:
  explicit StatusFeed(maintenance::RunFeed& feed) : feed_(feed) {}
  void status(const std::string& line) override { feed_.status(line); }
  void testLine(const std::string& line) override { feed_.log(line); }

private:
  maintenance::RunFeed& feed_;
};

}  // namespace qm::renamedata

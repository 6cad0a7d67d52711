// The rename run's status and test lines on their way to the window: the
// latest status wins, test lines keep their order, and a wake-up that could
// not be sent is tried again rather than leaving the window asleep.
#include "app/renamedata/status_feed.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm::renamedata {
namespace {

TEST(StatusFeed, LatestStatusAndEveryTestLineInOneBatch) {
  int wakes = 0;
  maintenance::RunFeed taken([&] { return ++wakes, true; });
  StatusFeed feed(taken);
  feed.status("1/3");
  feed.testLine("a");
  feed.status("2/3");
  feed.testLine("b");
  EXPECT_EQ(wakes, 1);
  auto batch = taken.take();
  EXPECT_EQ(batch.status, "2/3");
  EXPECT_EQ(batch.lines, (std::vector<std::string>{"a", "b"}));

  feed.testLine("c");
  EXPECT_EQ(wakes, 2);
  batch = taken.take();
  EXPECT_FALSE(batch.status) << "the status shown already is not sent again";
  EXPECT_EQ(batch.lines, std::vector<std::string>{"c"});
}

TEST(StatusFeed, AFailedWakeUpIsTriedAgain) {
  int wakes = 0;
  maintenance::RunFeed taken([&] { return ++wakes > 1; });
  StatusFeed feed(taken);
  feed.status("1/3");
  feed.status("2/3");
  EXPECT_EQ(wakes, 2) << "the window's queue was full once; the next change must wake it";
  feed.testLine("a");
  EXPECT_EQ(wakes, 2) << "one wake-up per batch once one went through";
  const auto batch = taken.take();
  EXPECT_EQ(batch.status, "2/3");
  EXPECT_EQ(batch.lines, std::vector<std::string>{"a"});
}

}  // namespace
}  // namespace qm::renamedata

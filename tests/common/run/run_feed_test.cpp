// The hand-over of a run's log and progress from its thread to the window:
// one wake-up per batch, nothing lost or reordered, and a wake-up that could
// not be sent is tried again.
#include "common/run/run_feed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace qm::maintenance {
namespace {

TEST(RunFeed, OneWakeUpUntilTheBatchIsTaken) {
  int wakes = 0;
  RunFeed feed([&] { return ++wakes, true; });
  feed.progressRange(10);
  feed.log("a");
  feed.progressStep();
  feed.log("b");
  EXPECT_EQ(wakes, 1);
  RunFeed::Batch batch = feed.take();
  EXPECT_EQ(batch.lines, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(batch.range, 10);
  EXPECT_EQ(batch.position, 1);

  feed.progressStep();
  EXPECT_EQ(wakes, 2);
  batch = feed.take();
  EXPECT_TRUE(batch.lines.empty());
  EXPECT_FALSE(batch.range) << "the range was already shown";
  EXPECT_EQ(batch.position, 2) << "the position counts from the range, not from the last batch";
}

TEST(RunFeed, OnlyTheLatestStatusAndOnlyWhenItChanged) {
  RunFeed feed([] { return true; });
  feed.progressRange(3);
  feed.status("1/3");
  feed.progressStep();
  feed.status("2/3");
  RunFeed::Batch batch = feed.take();
  EXPECT_EQ(batch.status, "2/3");
  EXPECT_EQ(batch.position, 1);
  feed.log("a");
  EXPECT_FALSE(feed.take().status);
}

TEST(RunFeed, ANewRangeStartsThePositionAgain) {
  RunFeed feed([] { return true; });
  feed.progressRange(5);
  feed.progressStep();
  feed.progressStep();
  feed.progressRange(3);
  feed.progressStep();
  const RunFeed::Batch batch = feed.take();
  EXPECT_EQ(batch.range, 3);
  EXPECT_EQ(batch.position, 1);
}

// A full message queue refuses the wake-up: the next call asks again.
TEST(RunFeed, AFailedWakeUpIsTriedAgain) {
  int calls = 0;
  bool accept = false;
  RunFeed feed([&] { return ++calls, accept; });
  feed.log("lost?");
  accept = true;
  feed.log("next");
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(feed.take().lines, (std::vector<std::string>{"lost?", "next"}));
}

TEST(RunFeed, AWorkerAndATakerLoseNothing) {
  constexpr int kLines = 20000;
  std::atomic<int> wakes{0};
  RunFeed feed([&] { return ++wakes, true; });
  std::thread worker([&] {
    feed.progressRange(kLines);
    for (int i = 0; i < kLines; ++i) {
      feed.log(std::to_string(i));
      feed.progressStep();
    }
  });
  std::vector<std::string> lines;
  int position = 0;
  int batches = 0;  // that brought something
  auto takeOne = [&] {
    RunFeed::Batch batch = feed.take();
    if (!batch.lines.empty() || batch.range || batch.position != position) ++batches;
    lines.insert(lines.end(), batch.lines.begin(), batch.lines.end());
    EXPECT_GE(batch.position, position);
    position = batch.position;
  };
  while (position < kLines) takeOne();
  worker.join();
  takeOne();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
  for (int i = 0; i < kLines; ++i) ASSERT_EQ(lines[static_cast<std::size_t>(i)], std::to_string(i));
  EXPECT_LE(wakes.load(), batches) << "a wake-up per batch taken, not per line";
}

}  // namespace
}  // namespace qm::maintenance

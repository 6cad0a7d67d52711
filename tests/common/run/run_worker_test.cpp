#include "common/run/run_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using qm::maintenance::RunWorker;
using qm::maintenance::StopFlag;

// A run that goes on until it is asked to stop, as a long walk does.
struct Endless {
  StopFlag& stop;
  std::atomic<int>& started;
  std::atomic<bool>& ended;
  void operator()() const {
    ++started;
    while (!qm::maintenance::stopRequested(stop)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ended = true;
  }
};

TEST(RunWorker, OneRunAtATimeAndAStopEndsIt) {
  StopFlag stop{1};
  std::atomic<int> started{0};
  std::atomic<bool> ended{false};
  RunWorker worker(stop);
  ASSERT_TRUE(worker.start(Endless{stop, started, ended}));
  EXPECT_EQ(stop.load(), 0) << "a left-over request is cleared at the start";
  EXPECT_FALSE(worker.start(Endless{stop, started, ended}));
  worker.requestStop();
  worker.wait();
  EXPECT_TRUE(ended);
  EXPECT_FALSE(worker.running());
  EXPECT_EQ(started, 1);
  ASSERT_TRUE(worker.start([] {}));
  worker.wait();
}

// Closing the dialog while a run is active: the worker stops it and waits.
TEST(RunWorker, DestroyingStopsAndWaits) {
  StopFlag stop{0};
  std::atomic<int> started{0};
  std::atomic<bool> ended{false};
  {
    RunWorker worker(stop);
    worker.start(Endless{stop, started, ended});
    while (started == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(ended);
}

}  // namespace

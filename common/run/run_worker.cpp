#include "common/run/run_worker.h"

namespace qm::maintenance {

RunWorker::~RunWorker() {
  if (running()) requestStop();
  wait();
}

bool RunWorker::start(std::function<void()> run) {
  if (running()) return false;
  wait();
  stop_.store(0);
  running_.store(true);
  thread_ = std::thread([this, run = std::move(run)] {
    run();
    running_.store(false);
  });
  return true;
}

void RunWorker::wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace qm::maintenance

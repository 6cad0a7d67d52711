#include <thread>

#include "crclib/registration_worker.h"

namespace qm::reg {
namespace {

// Joined when the library is unloaded: a static's destructor runs then.
struct Worker {
  std::thread thread;
  ~Worker() {
    if (thread.joinable()) thread.join();
  }
};

Worker& worker() {
  static Worker w;
  return w;
}

}  // namespace

bool startWorker(std::function<void()> work) {
  joinWorker();
  try {
    worker().thread = std::thread(std::move(work));
  } catch (...) {
    return false;
  }
  return true;
}

void joinWorker() {
  if (worker().thread.joinable()) worker().thread.join();
}

}  // namespace qm::reg

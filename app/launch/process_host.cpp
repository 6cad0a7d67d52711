#include "app/launch/process_host.h"

#include <chrono>
#include <thread>

namespace qm::launch {

void ProcessHost::sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

long long ProcessHost::nowMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace qm::launch

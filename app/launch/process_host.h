// The system's side of a launch: processes started and watched, real sleeps
// and a real clock. The window adds its part by deriving from it.
#pragma once

#include "app/launch/launch_host.h"

namespace qm::launch {

class ProcessHost : public LaunchHost {
public:
  std::unique_ptr<EmulatorProcess> start(const ProcessRequest& request) override;
  // Windows: top-level windows of other processes only, so the program's own
  // windows (whose titles may well hold the image's name) never keep a launch
  // waiting. Elsewhere there are no titles to look at: it waits for the
  // program this host started last.
  void waitWhileTitleShown(const std::string& text, int intervalMs) override;
  void sleep(int milliseconds) override;
  long long nowMilliseconds() override;

private:
  long long lastProcess_ = 0;  // the process id of the last start (native only)
};

}  // namespace qm::launch

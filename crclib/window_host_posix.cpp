#include "crclib/window_host.h"

namespace qm::reg {
namespace {

class QuietHost : public SilentProgressHost {
public:
  platform::MessageSink& messages() override { return sink_; }

private:
  platform::AcceptingSink sink_;
};

}  // namespace

std::unique_ptr<RegistrationHost> makeWindowHost(const ProgressWindows&, StopFlag&, const std::string&) {
  return std::make_unique<QuietHost>();
}

}  // namespace qm::reg

#include "crclib/window_host.h"

namespace qm::reg {
namespace {

class QuietHost : public RegistrationHost {
public:
  void status(const std::string&) override {}
  void currentItem(const std::string&) override {}
  void marker(const char*) override {}
  void progressRange(std::uint32_t) override {}
  void progressStep() override {}
  void ended() override {}
  platform::MessageSink& messages() override { return sink_; }

private:
  platform::AcceptingSink sink_;
};

}  // namespace

std::unique_ptr<RegistrationHost> makeWindowHost(const ProgressWindows&, StopFlag&, const std::string&) {
  return std::make_unique<QuietHost>();
}

}  // namespace qm::reg

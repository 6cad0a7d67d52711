#include <windows.h>

#include "crclib/progress_marker.h"

namespace qm::crc {
namespace {

class WindowMarker : public ProgressMarker {
public:
  explicit WindowMarker(HWND window) : window_(window) {}
  void show(const char* text) override { SetWindowTextA(window_, text); }

private:
  HWND window_;
};

}  // namespace

std::unique_ptr<ProgressMarker> windowMarker(void* window) {
  if (!window) return nullptr;
  return std::make_unique<WindowMarker>(static_cast<HWND>(window));
}

}  // namespace qm::crc

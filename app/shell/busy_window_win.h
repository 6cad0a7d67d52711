// The "Please wait ..." window: a topmost strip that animates while the main
// window is disabled for a long piece of work. Only its own thread draws.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/ui/win_handles_win.h"

namespace qm::shell {

class BusyWindow {
public:
  BusyWindow() = default;
  ~BusyWindow();
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

  // Creates the hidden window; `animation` is a bitmap of 420 x 80 frames
  // stacked vertically (a missing file leaves a plain caption).
  bool create(HINSTANCE instance, const std::string& animationPath);
  void enter(HWND mainWindow);
  void leave(HWND mainWindow);
  bool busy() const { return busy_.load(); }

private:
  void animate();
  HWND hwnd_ = nullptr;
  ui::OwnedBitmap frames_;
  int frameCount_ = 1;
  std::atomic<bool> busy_{false};
  std::thread thread_;
};

}  // namespace qm::shell

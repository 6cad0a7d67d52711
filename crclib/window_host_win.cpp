#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include "common/platform/native_file.h"
#include "common/text/encoding.h"
#include "crclib/registration_exports.h"
#include "crclib/window_host.h"

namespace qm::reg {
namespace {

// A text set across threads waits for the window's thread; a few a second keep
// the run from waiting on the window.
constexpr auto kRefresh = std::chrono::milliseconds(100);

class WindowHost : public RegistrationHost {
public:
  WindowHost(const ProgressWindows& w, StopFlag& stop, const std::string& logPath)
      : w_(w), stop_(stop), sink_(platform::makeWindowSink(w.owner)), logPath_(logPath) {}

  void status(const std::string& text) override { hold(status_, text); }
  void currentItem(const std::string& text) override { hold(item_, text); }
  void marker(const char* text) override { hold(marker_, text); }
  void progressRange(std::uint32_t count) override {
    const HWND bar = hwnd(w_.progress);
    // The 32-bit range: counts above 65535 must not wrap.
    SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(count));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    SendMessageA(bar, PBM_SETPOS, 0, 0);
    position_ = 0;
    shownPosition_ = 0;
  }
  void progressStep() override {
    ++position_;
    refreshIfDue();
  }
  void ended() override {
    flush();
    SetWindowTextA(hwnd(w_.button), text::sjis("終了").c_str());
    if (w_.owner) PostMessageA(hwnd(w_.owner), kRunEndedMessage, 0, 0);
  }
  void beep() override { MessageBeep(MB_ICONINFORMATION); }
  void log(const std::string& line) override {
    // Lines are few (damaged archives, skipped names): one open per line.
    const platform::native::UniqueFile file(std::fopen(logPath_.c_str(), logStarted_ ? "ab" : "wb"));
    logStarted_ = true;
    if (file) std::fprintf(file.get(), "%s\r\n", line.c_str());
  }
  platform::MessageSink& messages() override {
    // A box must not stand over texts that are behind.
    flush();
    return *sink_;
  }

private:
  static HWND hwnd(void* handle) { return static_cast<HWND>(handle); }

  void hold(std::optional<std::string>& slot, const std::string& text) {
    slot = text;
    refreshIfDue();
  }

  void refreshIfDue() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRefresh_ < kRefresh) return;
    lastRefresh_ = now;
    if (w_.owner && !IsWindow(hwnd(w_.owner))) stop_ = stop::kNow;
    flush();
  }

  void flush() {
    send(w_.status, status_);
    send(w_.item, item_);
    send(w_.marker, marker_);
    if (position_ != shownPosition_) {
      SendMessageA(hwnd(w_.progress), PBM_SETPOS, position_, 0);
      shownPosition_ = position_;
    }
  }

  static void send(void* window, std::optional<std::string>& slot) {
    if (!slot) return;
    if (window) SetWindowTextA(hwnd(window), slot->c_str());
    slot.reset();
  }

  ProgressWindows w_;
  StopFlag& stop_;
  std::unique_ptr<platform::MessageSink> sink_;
  std::optional<std::string> status_, item_, marker_;
  std::uint32_t position_ = 0, shownPosition_ = 0;
  std::chrono::steady_clock::time_point lastRefresh_{};
  std::string logPath_;
  bool logStarted_ = false;
};

}  // namespace

std::unique_ptr<RegistrationHost> makeWindowHost(const ProgressWindows& windows, StopFlag& stop,
                                                 const std::string& logPath) {
  return std::make_unique<WindowHost>(windows, stop, logPath);
}

}  // namespace qm::reg

#include "app/keys/joystick_dialog_win.h"

#include <cstdlib>

#include "app/keys/joystick_settings.h"
#include "app/keys/joystick_win.h"
#include "app/ui/dialog_window_win.h"
#include "common/text/encoding.h"

namespace qm::keys {
namespace {

using text::sjis;

enum ControlId : int {
  kEnable = 1600, kId, kRepeat, kFlash, kColour, kStatus,
  kAssign = 1620,  // + 2 * action + index: the capture button
  kClear = 1660,   // + action
};

constexpr UINT_PTR kCaptureTimer = 1;
constexpr int kCaptureMs = 50;
constexpr int kCaptureTicks = 100;  // five seconds

class JoystickDialog : public ui::DialogWindow {
public:
  explicit JoystickDialog(std::string path) : path_(std::move(path)), settings_(loadJoystickSettings(path_)) {}
  bool run(HWND owner) {
    runModal(owner, sjis("ジョイスティックの設定"), 470, 160 + 30 * kJoyActionCount);
    return saved_;
  }

protected:
  void createControls() override {
    add("BUTTON", sjis("ジョイスティックを有効にする"), BS_AUTOCHECKBOX | WS_TABSTOP, kEnable, 12, 10, 260, 22);
    check(kEnable, settings_.enable == 1);
    label(sjis("ジョイスティックID"), 12, 40, 130);
    edit(kId, 150, 38, 60);
    setText(kId, std::to_string(settings_.id));
    label(sjis("リピート速度（ミリ秒）"), 230, 40, 150);
    edit(kRepeat, 390, 38, 60, ES_NUMBER);
    setText(kRepeat, std::to_string(settings_.repeat));
    add("BUTTON", sjis("フォーカス切替時にコントロールをフラッシュ"), BS_AUTOCHECKBOX | WS_TABSTOP, kFlash, 12, 68,
        300, 22);
    check(kFlash, settings_.flash == 1);
    edit(kColour, 320, 68, 130);
    setText(kColour, std::to_string(settings_.flashColour));
    label(sjis("ボタンの割り当て"), 12, 98, 200);
    for (int a = 0; a < kJoyActionCount; ++a) {
      const JoyActionInfo& info = joyActionInfo(static_cast<JoyAction>(a));
      const int y = 120 + 30 * a;
      label(sjis(info.label), 12, y + 2, 150);
      for (int i = 0; i < info.assignments; ++i) button("", kAssign + 2 * a + i, 166 + 110 * i, y, 104, 24);
      button(sjis("クリア"), kClear + a, 390, y, 60, 24);
      showAssignments(a);
    }
    const int bottom = 120 + 30 * kJoyActionCount;
    add("STATIC", "", SS_LEFT | SS_NOPREFIX, kStatus, 12, bottom + 4, 260, 20);
    button("OK", IDOK, 276, bottom, 84, 26, BS_DEFPUSHBUTTON);
    button(sjis("キャンセル"), IDCANCEL, 366, bottom, 84, 26);
  }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && wParam == kCaptureTimer) {
      captureTick();
      return 0;
    }
    if (message != WM_COMMAND) return DialogWindow::handle(message, wParam, lParam);
    const int id = LOWORD(wParam);
    if (id == IDOK) {
      save();
    } else if (id == IDCANCEL) {
      endModal(IDCANCEL);
    } else if (id >= kAssign && id < kAssign + 2 * kJoyActionCount) {
      startCapture(id - kAssign);
    } else if (id >= kClear && id < kClear + kJoyActionCount) {
      settings_.actions[id - kClear] = {};
      showAssignments(id - kClear);
    }
    return 0;
  }

  void destroying() override { KillTimer(hwnd(), kCaptureTimer); }

private:
  void showAssignments(int action) {
    for (int i = 0; i < 2; ++i) {
      const std::string name = assignmentName(settings_.actions[action][i]);
      setText(kAssign + 2 * action + i, name.empty() ? "-" : name);
    }
  }

  int id() const { return std::atoi(textOf(kId).c_str()); }

  // The rest position first; then the first input that leaves it is the assignment.
  void startCapture(int slot) {
    const auto rest = source_.read(id());
    if (!rest) {
      setText(kStatus, sjis("ジョイスティックが見つかりません。"));
      return;
    }
    rest_ = *rest;
    capturing_ = slot;
    ticks_ = 0;
    setText(kStatus, sjis("割り当てる入力を操作してください…"));
    SetTimer(hwnd(), kCaptureTimer, kCaptureMs, nullptr);
  }

  void captureTick() {
    const auto now = source_.read(id());
    const auto captured = now ? capturedAssignment(rest_, *now) : std::nullopt;
    if (!captured && ++ticks_ < kCaptureTicks) return;
    KillTimer(hwnd(), kCaptureTimer);
    setText(kStatus, "");
    if (captured) {
      settings_.actions[capturing_ / 2][capturing_ % 2] = *captured;
      showAssignments(capturing_ / 2);
    }
    capturing_ = -1;
  }

  void save() {
    settings_.enable = checked(kEnable) ? 1 : 0;
    settings_.id = id();
    settings_.repeat = std::atoi(textOf(kRepeat).c_str());
    settings_.flash = checked(kFlash) ? 1 : 0;
    settings_.flashColour = std::atoi(textOf(kColour).c_str());
    saved_ = saveJoystickSettings(path_, settings_);
    endModal(IDOK);
  }

  std::string path_;
  JoystickSettings settings_;
  JoystickSource source_;
  JoyState rest_;
  int capturing_ = -1;
  int ticks_ = 0;
  bool saved_ = false;
};

}  // namespace

bool runJoystickDialog(HWND owner, const std::string& programFolder) {
  JoystickDialog dialog(joystickSettingsPath(programFolder));
  return dialog.run(owner);
}

}  // namespace qm::keys

#include "app/keys/joystick_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>

namespace qm::keys {
namespace {

constexpr unsigned long long kRetryMs = 2000;

}  // namespace

JoystickSource::JoystickSource() {
  if (const char* path = std::getenv("QM_JOY_REPLAY"); path && *path) replay_ = JoystickReplay::load(path);
}

std::optional<JoyState> JoystickSource::read(int id) {
  if (replay_) return replay_->next();
  const unsigned long long now = GetTickCount64();
  if (now < retryAt_) return std::nullopt;
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNALL;
  if (joyGetPosEx(static_cast<UINT>(id), &info) != JOYERR_NOERROR) {
    retryAt_ = now + kRetryMs;
    return std::nullopt;
  }
  JoyState s;
  s.x = info.dwXpos;
  s.y = info.dwYpos;
  s.z = info.dwZpos;
  s.r = info.dwRpos;
  s.u = info.dwUpos;
  s.v = info.dwVpos;
  s.pov = info.dwPOV;
  s.buttons = info.dwButtons;
  return s;
}

}  // namespace qm::keys

// Readings of the game controller: joyGetPosEx, or, when QM_JOY_REPLAY names
// a file, the readings recorded in it (joystick_replay.h). Without a
// controller a failed reading is not tried again for two seconds, so that
// polling costs nothing.
#pragma once

#include <optional>

#include "app/keys/joystick_replay.h"
#include "app/keys/joystick_settings.h"

namespace qm::keys {

class JoystickSource {
public:
  JoystickSource();
  std::optional<JoyState> read(int id);
  // The pace a replayed recording asks for; nothing for a real controller.
  std::optional<int> interval() const { return replay_ ? replay_->interval() : std::nullopt; }

private:
  std::optional<JoystickReplay> replay_;
  unsigned long long retryAt_ = 0;
};

}  // namespace qm::keys

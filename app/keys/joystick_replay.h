// Recorded controller readings played back one per poll, so that the
// polling can be driven where no controller is (Wine answers every
// reading with an error). One reading a line, eight numbers:
//   x y z r u v pov buttons
// "-" stands for a failed reading; blank lines and lines starting with "#"
// are skipped. After the last line every read fails. A line "every N" plays
// the readings back one per N milliseconds instead of the timer's own pace,
// so that a recording slowed down keeps a flash on the screen long enough
// to be seen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/keys/joystick_settings.h"

namespace qm::keys {

class JoystickReplay {
public:
  static JoystickReplay parse(const std::string& text);
  static std::optional<JoystickReplay> load(const std::string& path);
  std::optional<JoyState> next();
  std::size_t size() const { return readings_.size(); }
  // Milliseconds between readings; nothing: the timer's own pace.
  std::optional<int> interval() const { return interval_; }

private:
  std::vector<std::optional<JoyState>> readings_;
  std::size_t at_ = 0;
  std::optional<int> interval_;
};

}  // namespace qm::keys

// Recorded controller readings played back one per poll, so that the
// polling can be driven where no controller is (Wine answers every
// reading with an error). One reading a line, eight numbers:
//   x y z r u v pov buttons
// "-" stands for a failed reading; blank lines and lines starting with "#"
// are skipped. After the last line every read fails.
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

private:
  std::vector<std::optional<JoyState>> readings_;
  std::size_t at_ = 0;
};

}  // namespace qm::keys

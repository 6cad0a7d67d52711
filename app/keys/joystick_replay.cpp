#include "app/keys/joystick_replay.h"

#include <fstream>
#include <sstream>

namespace qm::keys {

JoystickReplay JoystickReplay::parse(const std::string& text) {
  JoystickReplay replay;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string first;
    if (!(fields >> first) || first[0] == '#') continue;
    if (first == "every") {
      int ms = 0;
      if (fields >> ms && ms > 0) replay.interval_ = ms;
      continue;
    }
    if (first == "-") {
      replay.readings_.push_back(std::nullopt);
      continue;
    }
    JoyState s;
    std::istringstream rest(line);
    if (rest >> s.x >> s.y >> s.z >> s.r >> s.u >> s.v >> s.pov >> s.buttons) replay.readings_.push_back(s);
  }
  return replay;
}

std::optional<JoystickReplay> JoystickReplay::load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return parse(text.str());
}

std::optional<JoyState> JoystickReplay::next() {
  if (at_ >= readings_.size()) return std::nullopt;
  return readings_[at_++];
}

}  // namespace qm::keys

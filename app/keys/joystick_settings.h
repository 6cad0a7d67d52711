// Quillmoor2_Joy.ini: whether a game controller drives the main window, and
// which of its inputs stands for which action. An assignment is a pair
// (type, value) read from the controller's extended position record.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace qm::keys {

// One reading of the controller, the fields of its extended position record.
struct JoyState {
  unsigned x = 32767, y = 32767, z = 32767, r = 32767, u = 0, v = 0;
  unsigned pov = 65535;  // hundredths of a degree; 65535 when centred
  unsigned buttons = 0;  // bit n: button n + 1
};

enum JoyInput : int {
  kJoyX = 1, kJoyY = 2, kJoyZ = 4, kJoyR = 8, kJoyU = 16, kJoyV = 32, kJoyPov = 64, kJoyButtons = 128,
};

struct JoyAssignment {
  int type = 0;   // a JoyInput, 0 for none
  long long value = 0;
  bool operator==(const JoyAssignment&) const = default;
};

// The reading of one input as an assignment compares it: the axes X, Y, Z, R
// give 0 (low), 65535 (high) or -1 (centre); U and V 0 or 65535; the hat its
// angle; the buttons their mask.
long long quantisedReading(int type, const JoyState& state);
// Type 128 is active when the reading AND the value is not 0, any other
// type when the quantised reading equals the value. Type 0 never is.
bool isActive(const JoyAssignment& assignment, const JoyState& state);
// "Stick:Left", "POV:Up", "Button:3", ... ; "" for none or an unnamed value.
std::string assignmentName(const JoyAssignment& assignment);

enum class JoyAction { Up, Down, Left, Right, PageUp, PageDown, Enter, EmulatorMenu, Focus, Slow, Count };
inline constexpr int kJoyActionCount = static_cast<int>(JoyAction::Count);

struct JoyActionInfo {
  const char* key;    // the ini key's stem: "up" gives up_type, up_val, up2_type, up2_val
  const char* label;  // as the dialog shows it (UTF-8)
  int assignments;    // 2 for the four directions, 1 for the rest
};
const JoyActionInfo& joyActionInfo(JoyAction action);

struct JoystickSettings {
  int enable = 0;
  int id = -1;
  int repeat = 25;
  int flash = 0;
  int flashColour = 0x80FFFF;  // red in the low byte
  std::array<std::array<JoyAssignment, 2>, kJoyActionCount> actions{};

  const std::array<JoyAssignment, 2>& of(JoyAction a) const { return actions[static_cast<int>(a)]; }
  std::array<JoyAssignment, 2>& of(JoyAction a) { return actions[static_cast<int>(a)]; }
};

// The file beside the program: folder + "Quillmoor2_Joy.ini".
std::string joystickSettingsPath(const std::string& programFolder);
// With `keepEnable` the `enable` of `current` stays and the file's is not read.
JoystickSettings loadJoystickSettings(const std::string& path, bool keepEnable = false,
                                      const JoystickSettings& current = {});
bool saveJoystickSettings(const std::string& path, const JoystickSettings& settings);

// The assignment a press makes, seen against the controller's rest reading:
// the first input (in type order) whose quantised reading left its rest
// value, with the value that reading gives; buttons give the newly pressed
// ones. Nothing while everything rests.
std::optional<JoyAssignment> capturedAssignment(const JoyState& rest, const JoyState& now);

}  // namespace qm::keys

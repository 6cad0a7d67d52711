#include "app/keys/joystick_settings.h"

#include "common/platform/files.h"
#include "common/platform/ini.h"

namespace qm::keys {
namespace {

constexpr const char* kSection = "JoyStick";

constexpr JoyActionInfo kActions[kJoyActionCount] = {
    {"up", "上移動", 2},           {"down", "下移動", 2},
    {"left", "左移動", 2},         {"right", "右移動", 2},
    {"pgup", "PageUp", 1},         {"pgdown", "PageDown", 1},
    {"enter", "ENTER", 1},         {"emumenu", "起動エミュレータ選択", 1},
    {"focus", "操作フォーカス切替", 1}, {"slow", "リピート速度の抑制", 1},
};

long long stick(unsigned value) { return value < 26367 ? 0 : value >= 39168 ? 65535 : -1; }
long long trigger(unsigned value) { return value < 6401 ? 0 : 65535; }

std::string keyOf(const JoyActionInfo& info, int index, const char* field) {
  return std::string(info.key) + (index == 0 ? "" : "2") + "_" + field;
}

}  // namespace

long long quantisedReading(int type, const JoyState& s) {
  switch (type) {
    case kJoyX: return stick(s.x);
    case kJoyY: return stick(s.y);
    case kJoyZ: return stick(s.z);
    case kJoyR: return stick(s.r);
    case kJoyU: return trigger(s.u);
    case kJoyV: return trigger(s.v);
    case kJoyPov: return s.pov;
    case kJoyButtons: return s.buttons;
  }
  return -2;
}

bool isActive(const JoyAssignment& a, const JoyState& state) {
  if (a.type == 0) return false;
  const long long reading = quantisedReading(a.type, state);
  if (a.type == kJoyButtons) return (reading & a.value) != 0;
  return reading == a.value;
}

std::string assignmentName(const JoyAssignment& a) {
  struct Name {
    int type;
    long long value;
    const char* text;
  };
  static constexpr Name kNames[] = {
      {kJoyX, 0, "Stick:Left"},  {kJoyX, 65535, "Stick:Right"}, {kJoyY, 0, "Stick:Up"},
      {kJoyY, 65535, "Stick:Down"}, {kJoyZ, 0, "AxisZ:-"},      {kJoyZ, 65535, "AxisZ:+"},
      {kJoyR, 0, "AxisR:-"},     {kJoyR, 65535, "AxisR:+"},     {kJoyU, 65535, "AxisU:+"},
      {kJoyV, 65535, "AxisV:+"}, {kJoyPov, 0, "POV:Up"},        {kJoyPov, 9000, "POV:Right"},
      {kJoyPov, 18000, "POV:Down"}, {kJoyPov, 27000, "POV:Left"},
  };
  if (a.type == kJoyButtons) {
    for (int bit = 0; bit < 32; ++bit)
      if (a.value & (1LL << bit)) return "Button:" + std::to_string(bit + 1);
    return {};
  }
  for (const Name& n : kNames)
    if (n.type == a.type && n.value == a.value) return n.text;
  return {};
}

const JoyActionInfo& joyActionInfo(JoyAction action) { return kActions[static_cast<int>(action)]; }

std::string joystickSettingsPath(const std::string& programFolder) {
  return platform::joinPath(programFolder, "Quillmoor2_Joy.ini");
}

JoystickSettings loadJoystickSettings(const std::string& path, bool keepEnable, const JoystickSettings& current) {
  const platform::IniFile ini(path);
  JoystickSettings s;
  s.enable = keepEnable ? current.enable : ini.getInt(kSection, "enable", 0);
  s.id = ini.getInt(kSection, "id", -1);
  s.repeat = ini.getInt(kSection, "repeat", 25);
  s.flash = ini.getInt(kSection, "flash", 0);
  s.flashColour = ini.getInt(kSection, "fcolor", 0x80FFFF);
  for (int a = 0; a < kJoyActionCount; ++a) {
    const JoyActionInfo& info = kActions[a];
    for (int i = 0; i < info.assignments; ++i) {
      s.actions[a][i].type = ini.getInt(kSection, keyOf(info, i, "type"), 0);
      // The button mask is unsigned 32-bit: read back what a mask with the high bit was written as.
      s.actions[a][i].value = static_cast<unsigned>(ini.getInt(kSection, keyOf(info, i, "val"), 0));
    }
  }
  return s;
}

bool saveJoystickSettings(const std::string& path, const JoystickSettings& s) {
  const platform::IniFile ini(path);
  bool ok = ini.writeInt(kSection, "enable", s.enable) && ini.writeInt(kSection, "id", s.id) &&
            ini.writeInt(kSection, "repeat", s.repeat) && ini.writeInt(kSection, "flash", s.flash) &&
            ini.writeInt(kSection, "fcolor", s.flashColour);
  for (int a = 0; a < kJoyActionCount; ++a) {
    const JoyActionInfo& info = kActions[a];
    for (int i = 0; i < info.assignments; ++i) {
      ok = ini.writeInt(kSection, keyOf(info, i, "type"), s.actions[a][i].type) && ok;
      ok = ini.writeString(kSection, keyOf(info, i, "val"), std::to_string(s.actions[a][i].value)) && ok;
    }
  }
  return ok;
}

std::optional<JoyAssignment> capturedAssignment(const JoyState& rest, const JoyState& now) {
  for (int type : {kJoyX, kJoyY, kJoyZ, kJoyR, kJoyU, kJoyV, kJoyPov}) {
    const long long reading = quantisedReading(type, now);
    if (reading == quantisedReading(type, rest) || reading == -1) continue;
    if (type == kJoyPov && reading == 65535) continue;
    return JoyAssignment{type, reading};
  }
  const unsigned pressed = now.buttons & ~rest.buttons;
  if (pressed == 0) return std::nullopt;
  return JoyAssignment{kJoyButtons, static_cast<long long>(pressed & (~pressed + 1))};  // the lowest new button
}

}  // namespace qm::keys

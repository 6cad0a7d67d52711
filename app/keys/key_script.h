// The key script of an emulator setting (the ".txt" beside it): tokens
// separated by ";" that the launch types into the freshly started emulator.
// Keys, waits, the key delay, text pasted through the clipboard, and a block
// that only runs for the parent of a set.
//
// The interpreter only says what to do; a KeySink does it. The program's
// sink sends the keys with their scan codes to the emulator's window; the
// command-line tool and the tests record them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::keys {

// Virtual-key codes the script uses by name.
enum VirtualKey : int {
  kVkTab = 9, kVkEnter = 13, kVkShift = 16, kVkSpace = 32, kVkEnd = 35, kVkHome = 36, kVkLeft = 37, kVkUp = 38,
  kVkRight = 39, kVkDown = 40, kVkApps = 93, kVkF1 = 112, kVkLeftCtrl = 162, kVkRightAlt = 165, kVkColon = 186,
  kVkV = 'V',
};

class KeySink {
public:
  virtual ~KeySink() = default;
  virtual void keyDown(int virtualKey) = 0;
  virtual void keyUp(int virtualKey) = 0;
  virtual void sleep(int milliseconds) = 0;
  // Puts `text` on the clipboard for the Ctrl+V that follows.
  virtual void clipboardText(const std::string& text) = 0;
  // The script has ended: what was on the clipboard before its first paste goes back.
  virtual void scriptEnded() {}
};

inline constexpr int kInitialKeyDelay = 50;

// The script's tokens after normalising: line ends become ";", blanks and
// tabs go, empty tokens are dropped. Tokens keep their letter case.
std::vector<std::string> keyScriptTokens(std::string_view script);

struct KeyScriptRun {
  bool setParent = false;  // the launched item is the parent of a set
  // Expands a paste token ("$image1", "$title", ...) into the text to paste.
  std::function<std::string(const std::string& token)> expand;
};

void runKeyScript(std::string_view script, const KeyScriptRun& run, KeySink& sink);

// Whether the script runs for the item: with "Enable2ImgOver" set only for
// the parent of a set.
inline bool keyScriptApplies(int enableTwoImagesOver, bool setParent) {
  return enableTwoImagesOver != 1 || setParent;
}

// "Alt", "Shift", "Ctrl" joined by "," for the kinds whose DOWN and UP
// tokens differ in count (letter case ignored); "" when all are paired.
std::string unpairedModifiers(std::string_view script);
// The status line under the script: "{keys} key is not paired." or "".
std::string unpairedStatus(std::string_view script);

// A sink that writes every event as a line: "down 65", "up 65", "sleep 50",
// "clipboard TEXT", "end".
class RecordingKeySink : public KeySink {
public:
  void keyDown(int vk) override { events.push_back("down " + std::to_string(vk)); }
  void keyUp(int vk) override { events.push_back("up " + std::to_string(vk)); }
  void sleep(int ms) override { events.push_back("sleep " + std::to_string(ms)); }
  void clipboardText(const std::string& text) override { events.push_back("clipboard " + text); }
  void scriptEnded() override { events.push_back("end"); }
  std::vector<std::string> events;
};

}  // namespace qm::keys

#include "app/keys/key_script.h"

#include <algorithm>
#include <optional>

#include "common/text/sjis.h"

namespace qm::keys {
namespace {

using sjis::toUpperAscii;

enum class Press { Tap, Down, Up };

struct Runner {
  KeySink& sink;
  int delay = kInitialKeyDelay;

  void key(int vk, Press how) {
    if (how != Press::Up) {
      sink.keyDown(vk);
      sink.sleep(delay);
    }
    if (how != Press::Down) {
      sink.keyUp(vk);
      sink.sleep(delay);
    }
  }
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetterOrDigit(char c) { return isDigit(c) || (c >= 'A' && c <= 'Z'); }

// The number after `prefix`, or nothing when the rest is not all digits.
std::optional<long> numberAfter(const std::string& token, std::string_view prefix) {
  if (token.size() <= prefix.size() || token.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  long value = 0;
  for (std::size_t i = prefix.size(); i < token.size(); ++i) {
    if (!isDigit(token[i])) return std::nullopt;
    value = std::min(value * 10 + (token[i] - '0'), 1000000L);
  }
  return value;
}

struct Named {
  std::string_view token;
  int vk;
  Press how;
};

constexpr Named kNamedKeys[] = {
    {"APPS", kVkApps, Press::Tap},         {"HOME", kVkHome, Press::Tap},
    {"END", kVkEnd, Press::Tap},           {"ALT", kVkRightAlt, Press::Tap},
    {"ALTDOWN", kVkRightAlt, Press::Down}, {"ALTUP", kVkRightAlt, Press::Up},
    {"SHIFTDOWN", kVkShift, Press::Down},  {"SHIFTUP", kVkShift, Press::Up},
    {"CTRLDOWN", kVkLeftCtrl, Press::Down}, {"CTRLUP", kVkLeftCtrl, Press::Up},
    {"TAB", kVkTab, Press::Tap},           {"UP", kVkUp, Press::Tap},
    {"DOWN", kVkDown, Press::Tap},         {"LEFT", kVkLeft, Press::Tap},
    {"RIGHT", kVkRight, Press::Tap},       {"ENTER", kVkEnter, Press::Tap},
    {"SPACE", kVkSpace, Press::Tap},
};

constexpr std::string_view kPasteTokens[] = {"$MACHINE", "$TITLE",   "$MAKER",    "$CRC32",
                                             "$FILE_BODY", "$PFOLDER", "$QLM_PATH", "$EMU_PATH"};
constexpr std::string_view kPastePrefixes[] = {"$IMAGE", "$PATH", "$BODY"};

bool isPaste(const std::string& upper) {
  for (std::string_view t : kPasteTokens)
    if (upper == t) return true;
  for (std::string_view p : kPastePrefixes)
    if (upper.compare(0, p.size(), p) == 0) return true;
  return false;
}

// The virtual key of a one-character token, 0 for none.
int singleCharacterKey(char c) {
  if (isLetterOrDigit(c)) return static_cast<unsigned char>(c);
  switch (c) {
    case '*': case '+': case ',': case '-': case '.': case '/': return c + 64;  // the numeric pad
    case '[': case '\\': case ']': case '^': return c + 128;
    case ':': return kVkColon;
  }
  return 0;
}

void paste(Runner& runner, const std::string& token, const KeyScriptRun& run) {
  runner.sink.clipboardText(run.expand ? run.expand(token) : token);
  runner.sink.sleep(runner.delay);
  runner.key(kVkLeftCtrl, Press::Down);
  runner.key(kVkV, Press::Tap);
  runner.key(kVkLeftCtrl, Press::Up);
}

void carryOut(Runner& runner, const std::string& token, const KeyScriptRun& run) {
  const std::string upper = toUpperAscii(token);
  if (upper.size() == 1) {
    if (const int vk = singleCharacterKey(upper[0])) runner.key(vk, Press::Tap);
    return;
  }
  if (upper[0] == 'F' && upper.size() <= 3) {
    if (const auto n = numberAfter(upper, "F"); n && *n >= 1 && *n <= 24) runner.key(kVkF1 + *n - 1, Press::Tap);
    return;
  }
  if (const auto ms = numberAfter(upper, "WAIT")) return runner.sink.sleep(static_cast<int>(*ms));
  if (const auto wl = numberAfter(upper, "WL")) {
    runner.delay = static_cast<int>(std::min(*wl + 50, 65535L));  // a 16-bit delay
    return;
  }
  for (const Named& named : kNamedKeys)
    if (upper == named.token) return runner.key(named.vk, named.how);
  if (isPaste(upper)) paste(runner, token, run);
}

}  // namespace

std::vector<std::string> keyScriptTokens(std::string_view script) {
  std::vector<std::string> tokens;
  std::string current;
  for (char c : script) {
    if (c == ';' || c == '\r' || c == '\n') {
      if (!current.empty()) tokens.push_back(std::move(current));
      current.clear();
    } else if (c != ' ' && c != '\t') {
      current += c;
    }
  }
  if (!current.empty()) tokens.push_back(std::move(current));
  return tokens;
}

void runKeyScript(std::string_view script, const KeyScriptRun& run, KeySink& sink) {
  Runner runner{sink};
  sink.sleep(100);
  bool inBlock = false;
  for (const std::string& token : keyScriptTokens(script)) {
    const std::string upper = toUpperAscii(token);
    if (upper == "<MULTIPLE_DISKS>") {
      inBlock = true;
    } else if (upper == "</MULTIPLE_DISKS>") {
      inBlock = false;
    } else if (!inBlock || run.setParent) {
      carryOut(runner, token, run);
    }
  }
  // Modifiers the script left pressed never stay down.
  sink.keyUp(kVkRightAlt);
  sink.sleep(200);
  sink.keyUp(kVkShift);
  sink.sleep(200);
  sink.keyUp(kVkLeftCtrl);
  sink.sleep(200);
  sink.scriptEnded();
}

std::string unpairedModifiers(std::string_view script) {
  const std::string upper = toUpperAscii(script);
  auto count = [&](std::string_view word) {
    int n = 0;
    for (std::size_t at = upper.find(word); at != std::string::npos; at = upper.find(word, at + word.size())) ++n;
    return n;
  };
  std::string unpaired;
  const std::pair<std::string_view, std::string_view> kinds[] = {{"ALT", "Alt"}, {"SHIFT", "Shift"}, {"CTRL", "Ctrl"}};
  for (const auto& [word, name] : kinds) {
    const std::string down = std::string(word) + "DOWN", up = std::string(word) + "UP";
    if (count(down) == count(up)) continue;
    if (!unpaired.empty()) unpaired += ",";
    unpaired += name;
  }
  return unpaired;
}

std::string unpairedStatus(std::string_view script) {
  const std::string keys = unpairedModifiers(script);
  return keys.empty() ? std::string() : keys + " key is not paired.";
}

}  // namespace qm::keys

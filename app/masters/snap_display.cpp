#include "app/masters/snap_display.h"

#include <algorithm>
#include <cstdio>

namespace qm::master {

const char* const kTallModes[kTallModeCount] = {
    "内側からフィット",
    "内側からフィット（上半分）",
    "内側からフィット（下半分）",
    "領域全体に表示",
    "領域全体に表示（上半分）",
    "領域全体に表示（下半分）",
    "重ねて表示（上半分を大きく）",
    "重ねて表示（下半分を大きく）",
    "重ねて表示（上大:比率維持）",
    "重ねて表示（下大:比率維持）",
};
const char* const kShortModes[kShortModeCount] = {"領域全体に表示", "内側からフィット"};

namespace {

int inRange(int mode, int count) { return mode >= 0 && mode < count ? mode : 0; }

// Leading digits only, as a reader that stops at the first other byte.
int leadingNumber(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9' || value > 99999) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string snapDisplayText(const SnapDisplay& d) {
  const int code =
      inRange(d.tallMode, kTallModeCount) + (d.portraitRule ? 50 : 0) + 100 * inRange(d.shortMode, kShortModeCount);
  char text[16];
  std::snprintf(text, sizeof text, "%c%03d%d", d.fitInside ? 'F' : 'A', std::clamp(d.threshold, 0, 999), code);
  return text;
}

std::optional<SnapDisplay> parseSnapDisplay(std::string_view text) {
  if (text.empty()) return std::nullopt;
  SnapDisplay d;
  d.fitInside = text[0] != 'A';
  d.threshold = leadingNumber(text.substr(1, 3));
  int code = leadingNumber(text.substr(std::min<std::size_t>(4, text.size())));
  if (code >= 100) {
    code -= 100;
    d.shortMode = 1;
  }
  if (code >= 50) {
    code -= 50;
    d.portraitRule = true;
  }
  d.tallMode = inRange(code, kTallModeCount);
  return d;
}

}  // namespace qm::master

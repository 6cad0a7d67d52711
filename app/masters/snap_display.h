// A machine's or an image's own snapshot display settings (snap_dtm,
// snap_dtt) as the dialogs edit them, and their stored text: the letter F or
// A, the portrait threshold as three digits, then the mode code, e.g.
// "F150153". An empty text means "no settings of its own".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::master {

struct SnapDisplay {
  bool fitInside = true;      // "F"; else fills the whole area ("A")
  int threshold = 150;        // height in percent of the width, 0 to 999
  bool portraitRule = false;  // tall pictures get tallMode, the others shortMode
  int tallMode = 0;           // 0 to 9, kTallModes
  int shortMode = 0;          // 0 or 1, kShortModes
};

inline constexpr int kTallModeCount = 10;
inline constexpr int kShortModeCount = 2;
// The labels of the two mode lists (UTF-8).
extern const char* const kTallModes[kTallModeCount];
extern const char* const kShortModes[kShortModeCount];

// A threshold above 999 is stored as 999, one below 0 as 0; modes out of
// their range as 0.
std::string snapDisplayText(const SnapDisplay& display);

// Nothing for "". Read as the snapshot drawing reads it: the letter from the
// first byte, the threshold from the next three, the code from the rest;
// parts that are not there or not digits read as 0, modes out of range as 0.
std::optional<SnapDisplay> parseSnapDisplay(std::string_view text);

}  // namespace qm::master

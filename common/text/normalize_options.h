// What the title converter is asked to do, and the user's symbol tables from
// the settings. All texts are Shift-JIS.
#pragma once

#include <string>

namespace qm::text {

// Kana targets; any other value leaves kana as they are.
inline constexpr int kToHiragana = 0;
inline constexpr int kToKatakana = 1;
inline constexpr int kToMatchingForm = 2;

// Space rules; any other value leaves spaces as they are.
inline constexpr int kSpacesToHalfWidth = 0;
inline constexpr int kRemoveSpaces = 1;

struct NormalizeOptions {
  int kanaTarget = kToHiragana;
  bool unvoiced = false;  // voiced kana that change script lose their sound mark
  int spaceRule = kRemoveSpaces;
  bool userMap = false;  // user source characters become user target characters
  bool removeSymbols = true;
  bool romanNumerals = true;  // "Ⅰ".."Ⅹ" become half-width digits
  bool mayBeEmpty = false;    // otherwise an empty result gives back the input
};

struct SymbolTables {
  std::string userSource;  // full-width characters, paired with...
  std::string userTarget;  // ...the half-width character at the same position
  std::string removeFull;  // full-width characters to remove
  std::string removeHalf;  // half-width characters to remove

  // Empty user map, the built-in removal lists.
  static SymbolTables defaults();
};

}  // namespace qm::text

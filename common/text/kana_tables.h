// The fixed character tables of the title converter, written in the source as
// UTF-8 and converted to Shift-JIS once per process. A unit is the byte width
// of one entry when a table is applied: 1 a half-width character, 2 a
// full-width one (or a half-width kana with its sound mark), 4 two full-width
// characters.
#pragma once

#include <cstddef>
#include <string>

namespace qm::text {

enum class KanaTable {
  HalfVoiced,
  HalfPlain,
  HalfVu,
  KatakanaVoiced,
  KatakanaUnvoiced,
  KatakanaPlain,
  KatakanaVu,
  KatakanaSmallWa,
  HiraganaVoiced,
  HiraganaUnvoiced,
  HiraganaPlain,
  HiraganaU,
  HiraganaSmallWa,
  FullDigits,
  FullUpper,
  FullLower,
  HalfDigits,
  HalfUpper,
  HalfLower,
  VuPairs,
  WoVu,
  BaRow,
  OBu,
  OldWiWe,
  OldWiWeKatakana,
  OldWiWeHiragana,
  RomanNumerals,
  RomanDigits,
  RomanTen,
  Ten,
  WaveDash,
  LongVowel,
  FullSpace,
  HalfSpace,
  DefaultRemovedFull,
  DefaultRemovedHalf,
  Count
};

struct ShiftJisTable {
  std::string text;  // Shift-JIS
  std::size_t unit = 1;
};

const ShiftJisTable& kanaTable(KanaTable id);

}  // namespace qm::text

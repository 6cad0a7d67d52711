#include "common/text/conversion_plan.h"

#include <span>
#include <vector>

#include "common/text/kana_tables.h"
#include "common/text/sjis.h"

namespace qm::text {
namespace {

using K = KanaTable;
constexpr K kRemove = K::Count;

// One table pair: `to` under the unvoiced flag becomes `toUnvoiced`.
struct Step {
  K from;
  K to;
  K toUnvoiced;
};
constexpr Step step(K from, K to) { return {from, to, to}; }

constexpr Step kSpacesToHalf[] = {step(K::FullSpace, K::HalfSpace)};
constexpr Step kSpacesRemoved[] = {step(K::HalfSpace, kRemove), step(K::FullSpace, kRemove)};
constexpr Step kLettersAndDigits[] = {step(K::HalfLower, K::HalfUpper), step(K::FullLower, K::HalfUpper),
                                      step(K::FullUpper, K::HalfUpper), step(K::FullDigits, K::HalfDigits)};
constexpr Step kRoman[] = {step(K::RomanNumerals, K::RomanDigits), step(K::RomanTen, K::Ten)};

constexpr Step kToHiraganaSteps[] = {
    {K::HalfVoiced, K::HiraganaVoiced, K::HiraganaUnvoiced},
    step(K::HalfVu, K::HiraganaU),
    step(K::HalfPlain, K::HiraganaPlain),
    {K::KatakanaVoiced, K::HiraganaVoiced, K::HiraganaUnvoiced},
    step(K::KatakanaVu, K::HiraganaU),
    step(K::KatakanaSmallWa, K::HiraganaSmallWa),
    step(K::KatakanaPlain, K::HiraganaPlain),
    step(K::OldWiWe, K::OldWiWeHiragana),
};
constexpr Step kToKatakanaSteps[] = {
    {K::HalfVoiced, K::KatakanaVoiced, K::KatakanaUnvoiced},
    step(K::HalfVu, K::KatakanaVu),
    step(K::HalfPlain, K::KatakanaPlain),
    {K::HiraganaVoiced, K::KatakanaVoiced, K::KatakanaUnvoiced},
    step(K::HiraganaSmallWa, K::KatakanaSmallWa),
    step(K::HiraganaPlain, K::KatakanaPlain),
    step(K::OldWiWe, K::OldWiWeKatakana),
};
// The first two steps see only katakana of the input: "ｦ" and "を" end as "ヲ".
constexpr Step kToMatchingSteps[] = {
    step(K::VuPairs, K::BaRow),        step(K::WoVu, K::OBu),
    step(K::HalfVoiced, K::KatakanaVoiced), step(K::HalfVu, K::KatakanaVu),
    step(K::HalfPlain, K::KatakanaPlain),   step(K::HiraganaVoiced, K::KatakanaVoiced),
    step(K::HiraganaSmallWa, K::KatakanaSmallWa), step(K::HiraganaPlain, K::KatakanaPlain),
    step(K::OldWiWe, K::OldWiWeKatakana),   step(K::WaveDash, K::LongVowel),
};

// Character starts of a table's text, plus its end.
std::vector<bool> boundaries(const std::string& text) {
  std::vector<bool> at(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size(); i = sjis::nextChar(text, i)) at[i] = true;
  at[text.size()] = true;
  return at;
}

bool wholeCharacters(const std::vector<bool>& at, std::size_t pos, std::size_t length) {
  return at[pos] && at[pos + length];
}

bool oneCharacter(const std::string& text, std::size_t pos, std::size_t length) {
  return sjis::charLength(text, pos) == length;
}

void appendSteps(ConversionPlan& plan, std::span<const Step> steps, bool unvoiced) {
  for (const Step& s : steps) {
    const ShiftJisTable& from = kanaTable(s.from);
    const K toId = unvoiced ? s.toUnvoiced : s.to;
    if (toId == kRemove) {
      appendTablePair(plan, from.text, from.unit, {}, 1);
      continue;
    }
    const ShiftJisTable& to = kanaTable(toId);
    appendTablePair(plan, from.text, from.unit, to.text, to.unit);
  }
}

void appendSpaces(ConversionPlan& plan, int rule) {
  if (rule == kSpacesToHalfWidth) appendSteps(plan, kSpacesToHalf, false);
  if (rule == kRemoveSpaces) appendSteps(plan, kSpacesRemoved, false);
}

void appendUserMap(ConversionPlan& plan, const SymbolTables& tables) {
  const std::string& source = tables.userSource;
  const std::string& target = tables.userTarget;
  if (source.empty() || target.empty() || source.size() != 2 * target.size()) return;
  appendTablePair(plan, source, 2, target, 1, TableKind::OneCharacterEach);
}

void appendRemovals(ConversionPlan& plan, const SymbolTables& tables) {
  if (!tables.removeFull.empty() && tables.removeFull.size() % 2 == 0)
    appendTablePair(plan, tables.removeFull, 2, {}, 1, TableKind::OneCharacterEach);
  if (!tables.removeHalf.empty()) appendTablePair(plan, tables.removeHalf, 1, {}, 1, TableKind::OneCharacterEach);
}

void appendKana(ConversionPlan& plan, int target, bool unvoiced) {
  if (target == kToHiragana) appendSteps(plan, kToHiraganaSteps, unvoiced);
  if (target == kToKatakana) appendSteps(plan, kToKatakanaSteps, unvoiced);
  if (target == kToMatchingForm) appendSteps(plan, kToMatchingSteps, false);
}

}  // namespace

SymbolTables SymbolTables::defaults() {
  return {{}, {}, kanaTable(K::DefaultRemovedFull).text, kanaTable(K::DefaultRemovedHalf).text};
}

void appendTablePair(ConversionPlan& plan, const std::string& source, std::size_t sourceUnit,
                     const std::string& target, std::size_t targetUnit, TableKind kind) {
  const std::vector<bool> sourceAt = boundaries(source);
  const std::vector<bool> targetAt = boundaries(target);
  for (std::size_t i = 0; (i + 1) * sourceUnit <= source.size(); ++i) {
    const std::size_t from = i * sourceUnit;
    if (!wholeCharacters(sourceAt, from, sourceUnit)) continue;
    if (kind == TableKind::OneCharacterEach && !oneCharacter(source, from, sourceUnit)) continue;
    std::string to;
    if (!target.empty()) {
      const std::size_t at = i * targetUnit;
      if (at + targetUnit > target.size() || !wholeCharacters(targetAt, at, targetUnit)) continue;
      to = target.substr(at, targetUnit);
    }
    plan.push_back({source.substr(from, sourceUnit), std::move(to)});
  }
}

ConversionPlan buildConversionPlan(const NormalizeOptions& options, const SymbolTables& tables) {
  ConversionPlan plan;
  appendSpaces(plan, options.spaceRule);
  appendSteps(plan, kLettersAndDigits, false);
  if (options.userMap) appendUserMap(plan, tables);
  if (options.removeSymbols) appendRemovals(plan, tables);
  if (options.romanNumerals) appendSteps(plan, kRoman, false);
  appendKana(plan, options.kanaTarget, options.unvoiced);
  return plan;
}

}  // namespace qm::text

// The title converter behind readings, smart titles and search folding.
//
// Built once from its options and the symbol tables, it gives exactly what the
// plan's replacements give one after another (conversion_plan.h), in one pass
// over the text: every replacement of one character by a text composes into a
// lookup keyed by character, and the few two-character entries (a half-width
// kana with its sound mark, "ヴ" with a small vowel) are matched on the text as
// it stands when their turn comes. Matching is by whole characters, so a trail
// byte that looks like "\" or "[" is never taken for one.
//
// Bytes that are not valid Shift-JIS pass through unchanged.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/text/conversion_plan.h"
#include "common/text/normalize_options.h"

namespace qm::text {

class TextNormalizer {
public:
  TextNormalizer(const NormalizeOptions& options, const SymbolTables& tables);
  // Any plan whose two-character entries stand after all the others that could
  // make or change their characters, as buildConversionPlan's do.
  TextNormalizer(const ConversionPlan& plan, bool mayBeEmpty);

  std::string operator()(std::string_view text) const;
  // The same into a buffer the caller keeps, for bulk runs.
  void convert(std::string_view text, std::string& out) const;

private:
  using Key = std::uint16_t;
  enum Kind : std::uint8_t { Unchanged, Replaced, Removed, Joining };
  struct Slot {
    std::uint32_t offset = 0;  // into pool_
    std::uint16_t length = 0;
    Kind kind = Unchanged;
  };
  using CharMap = std::unordered_map<Key, std::string>;
  struct Pending;

  void build(const ConversionPlan& plan);
  void addPairs(const ConversionPlan& plan, std::size_t firstPair);
  void fillSlots(const CharMap& before);
  void feedJoining(std::string_view chars, Pending& pending, std::string& out) const;
  void flush(Pending& pending, std::string& out) const;
  void appendAfter(std::string_view ch, std::string& out) const;

  bool mayBeEmpty_ = false;
  std::vector<Slot> slots_;
  std::string pool_;
  // Characters as the two-character entries see them, and what becomes of them.
  CharMap joiningText_;  // Joining input characters -> their text at that point
  CharMap after_;        // text at that point -> final text, when no pair forms
  std::unordered_map<std::uint32_t, std::string> pairs_;  // two keys -> final text
  std::bitset<65536> firsts_;
  std::bitset<65536> seconds_;
};

// One conversion with tables built for it: for a single reading or title.
std::string normalizeText(std::string_view text, const NormalizeOptions& options, const SymbolTables& tables);

}  // namespace qm::text

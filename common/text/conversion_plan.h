// The title conversion written out as the ordered list of replacements it
// stands for. Read literally, each replacement scans the whole text left to
// right, character by character, and replaces every occurrence of `from`
// without rescanning what it put in; the next replacement then sees the
// result. TextNormalizer compiles the list into one lookup instead.
#pragma once

#include <string>
#include <vector>

#include "common/text/normalize_options.h"

namespace qm::text {

struct Replacement {
  std::string from;  // one or two whole characters
  std::string to;    // possibly empty
};

using ConversionPlan = std::vector<Replacement>;

ConversionPlan buildConversionPlan(const NormalizeOptions& options, const SymbolTables& tables);

// The user's tables hold one character per entry; the built-in ones may pair
// a half-width kana with its sound mark, or "ヴ" with a small vowel.
enum class TableKind { CharacterRuns, OneCharacterEach };

// Entry i of `source` (in units of sourceUnit bytes) becomes entry i of
// `target` (units of targetUnit), or nothing when `target` is empty. An entry
// that is not made of whole characters, or whose partner is not, is left out,
// so a table typed with the wrong widths is never applied misaligned.
void appendTablePair(ConversionPlan& plan, const std::string& source, std::size_t sourceUnit,
                     const std::string& target, std::size_t targetUnit,
                     TableKind kind = TableKind::CharacterRuns);

}  // namespace qm::text

// The smart title: a title folded for matching, kana as katakana with a few
// spellings merged, letters and digits half-width upper case, spaces and
// symbols gone. A title that folds to nothing keeps its own text.
#pragma once

#include <string>
#include <string_view>

#include "common/text/normalize_options.h"
#include "common/text/text_normalizer.h"

namespace qm::text {

NormalizeOptions smartTitleOptions();

// Only the removal lists of `tables` take part.
inline TextNormalizer smartTitleNormalizer(const SymbolTables& tables) {
  return TextNormalizer(smartTitleOptions(), tables);
}

// One title, the tables built for it.
std::string smartTitle(std::string_view title, const SymbolTables& tables);

}  // namespace qm::text

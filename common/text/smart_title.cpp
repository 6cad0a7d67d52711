#include "common/text/smart_title.h"

namespace qm::text {

NormalizeOptions smartTitleOptions() {
  NormalizeOptions options;
  options.kanaTarget = kToMatchingForm;
  options.unvoiced = false;
  options.spaceRule = kRemoveSpaces;
  options.userMap = false;
  options.removeSymbols = true;
  options.romanNumerals = true;
  options.mayBeEmpty = false;
  return options;
}

std::string smartTitle(std::string_view title, const SymbolTables& tables) {
  return smartTitleNormalizer(tables)(title);
}

}  // namespace qm::text

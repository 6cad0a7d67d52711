#include "app/maintenance/reading_options_store.h"

namespace qm::maintenance {

text::ReadingOptions readingOptions(const Settings& settings, bool userMap) {
  text::ReadingOptions options;
  options.kanaMode = settings.number(Setting::EditYomiCnvMode);
  options.unvoiced = settings.number(Setting::EditDakuonToSeion) == 1;
  options.spaceRule = settings.number(Setting::EditYomiSpcRmv);
  options.removeSymbols = settings.number(Setting::EditYomiMrkRmv) == 1;
  options.romanNumerals = settings.number(Setting::EditYomiRmaCnv) == 1;
  options.userMap = userMap;
  return options;
}

void storeReadingOptions(Settings& settings, const text::ReadingOptions& options) {
  settings.setNumber(Setting::EditYomiCnvMode, options.kanaMode);
  settings.setNumber(Setting::EditDakuonToSeion, options.unvoiced ? 1 : 0);
  settings.setNumber(Setting::EditYomiSpcRmv, options.spaceRule);
  settings.setNumber(Setting::EditYomiMrkRmv, options.removeSymbols ? 1 : 0);
  settings.setNumber(Setting::EditYomiRmaCnv, options.romanNumerals ? 1 : 0);
}

bool& userMapSwitch() {
  static bool on = false;
  return on;
}

}  // namespace qm::maintenance

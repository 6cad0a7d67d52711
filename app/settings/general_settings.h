// The general settings: how the archive libraries are loaded and the height
// of the search bar's font, both read at start-up and so in effect from the
// next start. Turning the safe loading off is asked about first.
#pragma once

#include <string>

#include "common/platform/ini.h"

namespace qm::shell {

struct GeneralSettings {
  bool dllSafeLoad = true;
  int searchFontHeight = 0;
};

// As the file holds them now, which may differ from the values in use.
GeneralSettings readGeneralSettings(const platform::IniFile& ini);
bool writeGeneralSettings(const platform::IniFile& ini, const GeneralSettings& values);

std::string dllSafeLoadWarning();
std::string dllSafeLoadWarningCaption();

}  // namespace qm::shell

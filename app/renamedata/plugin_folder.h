// The rename-data plug-ins offered: the ".nya" files of the program folder's
// "plugin" folder.
#pragma once

#include <string>
#include <vector>

namespace qm::renamedata {

std::string pluginFolder(const std::string& programFolder);
// File names, sorted; empty when there are none (or no folder).
std::vector<std::string> pluginFiles(const std::string& programFolder);
std::string noPluginsText();  // "Plugin フォルダに プラグインがみつかりません"

}  // namespace qm::renamedata

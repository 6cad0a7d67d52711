#include "app/renamedata/plugin_folder.h"

#include <algorithm>

#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::renamedata {

std::string pluginFolder(const std::string& programFolder) { return platform::joinPath(programFolder, "plugin"); }

std::vector<std::string> pluginFiles(const std::string& programFolder) {
  std::vector<std::string> names = platform::listMatchingFiles(pluginFolder(programFolder), "*.nya");
  std::sort(names.begin(), names.end());
  return names;
}

std::string noPluginsText() { return text::sjis("Plugin フォルダに プラグインがみつかりません"); }

}  // namespace qm::renamedata

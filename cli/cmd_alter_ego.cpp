#include "app/alter_ego/alter_ego.h"
#include "app/settings/settings.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"

namespace qm::cli {
namespace {

int usageError() {
  printError("usage: alter-ego create [--db PATH] [--base FOLDER] [--subfolder NAME] KEY\n"
             "       alter-ego remove [--db PATH] [--yes] KEY");
  return 2;
}

}  // namespace

int runAlterEgo(const std::vector<std::string>& argv) {
  if (argv.empty()) return usageError();
  const std::string action = argv.front();
  const Arguments args = parseArguments({argv.begin() + 1, argv.end()}, {"--db", "--base", "--subfolder"});
  if ((action != "create" && action != "remove") || args.positional.size() != 1) return usageError();
  const std::string path = databasePath(args);
  if (!libraryExists(path) || !allKnown(path, args.positional)) return 1;
  const std::string key = args.positional.front();
  ConsoleSink sink(args.has("--yes"));
  if (action == "remove") return alter_ego::removeAlterEgo(path, key, sink) ? 0 : 1;

  const auto item = alter_ego::readAlterEgoItem(path, key);
  if (!item) return 1;
  if (alter_ego::recordedCopy(path, key)) {
    printError("error: the image has an alter ego already");
    return 1;
  }
  const std::string defaultFolder = readText(platform::IniFile(settingsPathFor(path)), Setting::FolderAlterEgo);
  alter_ego::FolderFields fields = alter_ego::openingFields(std::nullopt, defaultFolder, item->machineName, key);
  if (args.options.count("--base")) fields.baseFolder = args.get("--base");
  if (args.options.count("--subfolder")) fields.subfolder = args.get("--subfolder");
  if (!alter_ego::createAlterEgo(path, *item, fields, sink)) return 1;
  printLine(platform::joinPath(fields.baseFolder, fields.subfolder));
  return 0;
}

}  // namespace qm::cli

#include "app/snapshots/item_snapshots.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "common/platform/files.h"

namespace qm::cli {

// The pictures of slots 1..3 of one image and the rule that found each, with
// the library's folder as the program folder and its settings beside it.
int runSnapshot(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  if (args.positional.size() != 1) {
    printError("usage: quillmoor-cli snapshot [--db PATH] KEY");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  db::DbConnection db;
  db.open(path);
  const std::string& key = args.positional[0];
  const auto load = snapshots::loadItemSnapshots(db, key, platform::folderOf(path));
  if (load.error) {
    printError("error: " + *load.error);
    return 1;
  }
  if (!load.item) {
    printError("error: no image " + key);
    return 1;
  }
  const auto settings = snapshots::findSettingsFrom(platform::IniFile(settingsPathFor(path)));
  snapshots::FolderCache cache;
  for (int slot = 0; slot < snapshots::kSlotCount; ++slot) {
    const auto found = snapshots::findPicture(cache, settings, load.item->slots[slot], load.item->names);
    std::string line = "slot " + std::to_string(slot + 1) + "\t";
    if (!found) line += "File Not Found.";
    else line += found->path + "\t" + (found->label.empty() ? std::string("own file") : found->label);
    printLine(line);
  }
  return 0;
}

}  // namespace qm::cli

// The menu's commands on chosen images, by their keys: favourite slots, the
// boot reset, the removal of the emulator choice; and the library backup and
// the version box.
#include <cstdlib>

#include "app/library/item_commands.h"
#include "app/library/library_backup.h"
#include "app/library/version_box.h"
#include "cli/maintenance_console.h"
#include "common/db/db_connection.h"

namespace qm::cli {

// The keys that are not in the library: a key that names no image would
// otherwise be passed over without a word.
bool allKnown(const std::string& dbPath, const std::vector<std::string>& keys) {
  if (keys.empty()) {
    printError("error: no image keys given");
    return false;
  }
  db::DbConnection db;
  db.open(dbPath);
  bool known = true;
  for (const std::string& key : keys) {
    if (auto error = db.execute("SELECT COUNT(*) FROM main_table WHERE file_name=" + db::sqlText(key) + " ;")) {
      printError("error: " + *error);
      return false;
    }
    if (db.cell(1, 0) == "0") {
      printError("error: not in the library: " + key);
      known = false;
    }
  }
  return known;
}

int runFavourite(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--slot"});
  const std::string path = databasePath(args);
  const std::string slotText = args.get("--slot");
  if (slotText.size() != 1 || slotText[0] < '0' || slotText[0] > '9') {
    printError("error: --slot takes one digit, 0 to 9");
    return 2;
  }
  const int modes = args.has("--set") + args.has("--clear") + args.has("--toggle");
  if (modes > 1) {
    printError("error: give one of --set, --clear and --toggle");
    return 2;
  }
  if (!libraryExists(path) || !allKnown(path, args.positional)) return 1;
  const shell::FavouriteMode mode = args.has("--set")     ? shell::FavouriteMode::Add
                                    : args.has("--clear") ? shell::FavouriteMode::Remove
                                                          : shell::FavouriteMode::Toggle;
  ConsoleSink sink(false);
  const shell::FavouriteResult result = shell::changeFavourite(
      path, slotText[0] - '0', mode, shell::storedFavourites(path, args.positional), sink);
  for (const shell::FavouriteItem& item : shell::storedFavourites(path, args.positional))
    printLine(item.key + "\t" + item.fave);
  return result.failures == 0 ? 0 : 1;
}

int runResetBoot(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  const std::string path = databasePath(args);
  if (!libraryExists(path) || !allKnown(path, args.positional)) return 1;
  ConsoleSink sink(false);
  if (!shell::resetBootInfo(path, args.positional, sink)) return 1;
  printLine("reset " + std::to_string(args.positional.size()) + " images");
  return 0;
}

int runReleaseEmulator(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  const std::string path = databasePath(args);
  if (!libraryExists(path) || !allKnown(path, args.positional)) return 1;
  ConsoleSink sink(false);
  if (!shell::releaseEmulatorChoice(path, args.positional, sink)) return 1;
  printLine("released " + std::to_string(args.positional.size()) + " images");
  return 0;
}

int runBackup(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  const std::string path = databasePath(args);
  ConsoleSink sink(false);
  const dblib::Backup backup = shell::backupLibrary(path, sink);
  if (!backup.ok()) return 1;
  printLine(backup.path);
  return 0;
}

int runVersion(const std::vector<std::string>&) {
  std::string text = shell::versionBoxText();
  while (!text.empty() && text.back() == '\n') text.pop_back();
  printLine(text);
  return 0;
}

}  // namespace qm::cli

// quillmoor-cli: the library's operations without the window, for scripts,
// benchmarks and end-to-end checks.
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/db/db_connection.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const std::vector<std::string>&);
  const char* usage;
};

constexpr Command kCommands[] = {
    {"create", qm::cli::runCreate, "create [--db PATH] [--yes]   create or upgrade the library database"},
    {"info", qm::cli::runInfo, "info [--db PATH]             schema version and counts of the library"},
    {"readings", qm::cli::runReadings, "readings [--db PATH] [--machine NAME] [--only-empty]   kana readings from titles"},
    {"smart-titles", qm::cli::runSmartTitles, "smart-titles [--db PATH] [--machine NAME]   rebuild smart titles"},
    {"remove-missing", qm::cli::runRemoveMissing,
     "remove-missing [--db PATH] [--machine NAME] [--all [--yes]]   remove images whose file is gone"},
    {"vacuum", qm::cli::runVacuum, "vacuum [--db PATH]           compact the library file"},
    {"normalize", qm::cli::runNormalize, "normalize [--db PATH] [--reading]   smart title (or reading) of each stdin line"},
    {"archive-list", qm::cli::runArchiveList, "archive-list ARCHIVE         members: name, size, stated CRC-32"},
    {"archive-extract", qm::cli::runArchiveExtract, "archive-extract ARCHIVE MEMBER FOLDER   one member into FOLDER"},
    {"crc", qm::cli::runCrc, "crc FILE [--offset N] [--length N]   CRC-32 and CRC-16 of a file or a window of it"},
    {"keys", qm::cli::runKeys, "keys --ini PATH              shortcut keys: name, value, key, menu label"},
    {"web-sites", qm::cli::runWebSites, "web-sites --ini PATH         web search sites: number, name, URL template"},
    {"web-url", qm::cli::runWebUrl, "web-url --ini PATH --site N [--db PATH] KEY   the URL site N opens for an image"},
    {"register", qm::cli::runRegister,
     "register [--db PATH] --machine NAME [OPTIONS] FOLDER_OR_FILE   register images (see README for the options)"},
    {"sync", qm::cli::runSync,
     "sync [--db PATH] --machine NAME [OPTIONS] [--test] [--remove-missing [--yes]] FOLDER   moved images keep "
     "their records"},
    {"list", qm::cli::runList, "list [--db PATH] [--machine NAME]   images: key, title, ply, ply_file_name, crc32, crc"},
    {"favourite", qm::cli::runFavourite,
     "favourite [--db PATH] --slot D [--set|--clear|--toggle] KEY...   add or remove images in favourite group D"},
    {"reset-boot", qm::cli::runResetBoot, "reset-boot [--db PATH] KEY...   clear boot count, last boot and play time"},
    {"release-emulator", qm::cli::runReleaseEmulator,
     "release-emulator [--db PATH] KEY...   images launch with their machine's default emulator again"},
    {"backup", qm::cli::runBackup, "backup [--db PATH]           dated copy of the library beside it"},
    {"version", qm::cli::runVersion, "version                      the versions of the version box"},
    {"join", qm::cli::runJoin, "join [--db PATH] --target KEY KEY... [--yes]   make KEYs disks of the set of the target"},
    {"dissolve", qm::cli::runDissolve, "dissolve [--db PATH] KEY    make the set of parent KEY singles again"},
    {"search", qm::cli::runSearch,
     "search [--db PATH] --mode N [--match K] [--migemo] TEXT   titles a search lists, in the list's order"},
    {"queries", qm::cli::runQueries, "queries --folder PATH        saved queries and their statements"},
    {"remove", qm::cli::runRemove, "remove [--db PATH] [--with-sets] KEY...   remove images from the library"},
    {"launch-command", qm::cli::runLaunchCommand,
     "launch-command [--db PATH] [--setting NAME] [--image N] KEY   the command line and folder a launch would use"},
    {"launch", qm::cli::runLaunch,
     "launch [--db PATH] [--setting NAME] [--image N] [--yes] KEY   start the emulator, wait, count the boot"},
    {"rewrite-test", qm::cli::runRewriteTest,
     "rewrite-test [--db PATH] --setting NAME KEY   what the setting's rewriting script would change"},
    {"emulators", qm::cli::runEmulators, "emulators [--db PATH] [--machine NAME]   settings: machine, name, default, Exec, Option"},
    {"bulk", qm::cli::runBulk,
     "bulk [--db PATH] --field NAME --value VALUE [--kana READING] [--yes] KEY...   one field of many images at once"},
    {"edit", qm::cli::runEdit,
     "edit [--db PATH] [--yes] KEY FIELD=VALUE...   change fields of a record through the editor's checks and save"},
    {"export-csv", qm::cli::runExportCsv,
     "export-csv [--db PATH] [--machine NAME] [--no-header] FILE   the library as CSV (code page 932, CR LF)"},
    {"import-csv", qm::cli::runImportCsv, "import-csv [--db PATH] [--no-header] [--yes] FILE   read a CSV file into the library"},
    {"recompute-crc", qm::cli::runRecomputeCrc,
     "recompute-crc [--db PATH] --machine NAME [--crc32] [--crc16] [--offset N] [--length N]   CRCs of a machine's images again"},
    {"replace", qm::cli::runReplace,
     "replace [--db PATH] --column NAME [--machine NAME] [--test] FROM TO   replace text in a column (keys carry their rows)"},
    {"backup-images", qm::cli::runBackupImages,
     "backup-images [--db PATH] [--extract] --to FOLDER KEY...   copy the images of items and their sets into FOLDER"},
    {"keys-script", qm::cli::runKeysScript,
     "keys-script [--db PATH] [--setting NAME] [--image N] KEY   the key events the setting's key script sends"},
    {"snapshot", qm::cli::runSnapshot, "snapshot [--db PATH] KEY    pictures of slots 1-3 and the rule that found each"},
    {"rename-data", qm::cli::runRenameData,
     "rename-data [--db PATH] --machine NAME --plugin PATH --list FILE [--test]   fill records through a plug-in"},
    {"verify", qm::cli::runVerify,
     "verify [--db PATH] [--machine NAME] --dat FILE   which images a DAT file knows as good dumps"},
    {"alter-ego", qm::cli::runAlterEgo, "alter-ego create|remove [--db PATH] KEY   make or remove an item's alter ego"},
};

int usage() {
  qm::cli::printError("usage: quillmoor-cli COMMAND [OPTIONS]");
  for (const auto& command : kCommands) qm::cli::printError(std::string("  ") + command.usage);
  return 2;
}

// QM_LOCK_WAIT_MS: how long a command waits for another writer's lock on the
// library before it gives up (30 s when unset); scripts and tests shorten it.
void takeLockWait() {
  const char* text = std::getenv("QM_LOCK_WAIT_MS");
  if (!text || !*text) return;
  int milliseconds = 0;
  const char* end = text + std::strlen(text);
  const auto [rest, error] = std::from_chars(text, end, milliseconds);
  if (error == std::errc() && rest == end && milliseconds >= 0) qm::db::DbConnection::setDefaultBusyTimeout(milliseconds);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  takeLockWait();
  if (argc < 2) return usage();
  std::vector<std::string> args;
  for (int i = 2; i < argc; ++i) args.push_back(qm::cli::fromTerminal(argv[i]));
  for (const auto& command : kCommands)
    if (std::strcmp(argv[1], command.name) == 0) return command.run(args);
  qm::cli::printError(std::string("unknown command: ") + argv[1]);
  return usage();
}

// Moving a library: replacing text in a column (the image paths above all)
// and copying image files elsewhere.
#include "app/library_moves/column_replace.h"
#include "app/library_moves/image_backup.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "cli/set_items.h"
#include "common/platform/files.h"

namespace qm::cli {

// Running the command is the Yes to the replacement's question.
int runReplace(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--column", "--machine"});
  const int column = moves::columnChoiceOf(args.get("--column"));
  if (column < 0 || args.positional.size() != 2) {
    printError("usage: replace [--db PATH] --column file_name|maker|developer|version|country [--machine NAME] "
               "[--test] FROM TO");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  ConsoleRun run(path, true);
  const moves::ReplaceRequest request{machineChoice(args), column, args.positional[0], args.positional[1]};
  const auto result = args.has("--test") ? moves::listReplacements(run.context(), request)
                                         : moves::replaceValues(run.context(), request);
  if (result.status == maintenance::RunStatus::Stopped) return 130;
  if (!args.has("--test") && column == 0 && result.status == maintenance::RunStatus::Completed)
    printLine("keys moved: " + std::to_string(result.done));
  return result.status == maintenance::RunStatus::Completed ? 0 : 1;
}

int runBackupImages(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--to"});
  if (args.get("--to").empty() || args.positional.empty()) {
    printError("usage: backup-images [--db PATH] [--extract] --to FOLDER KEY...");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  moves::BackupRequest request{path, platform::folderOf(path), {}, args.has("--extract"), args.get("--to")};
  if (!lookUpItems(path, args.positional, request.selected)) return 1;
  ConsoleSink sink(false);
  const bool done = moves::backUpImages(request, sink, [&sink](const auto& sources, const std::string& target) {
    for (const std::string& source : sources) printLine(source);
    return moves::copyPortably(sources, target, sink);
  });
  printLine(done ? moves::backupDoneText() : moves::backupFailedText());
  return done ? 0 : 1;
}

}  // namespace qm::cli

#include "app/records/record_fields.h"
#include "app/records/record_load.h"
#include "app/records/record_save.h"
#include "app/records/title_pictures.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "common/platform/files.h"
#include "common/text/reading_settings.h"
#include "common/text/smart_title.h"

namespace qm::cli {

// The record editor without its window: load KEY, set the fields given as
// FIELD=VALUE, and save through the editor's checks and transaction.
int runEdit(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db"});
  if (args.positional.size() < 2) {
    printError("usage: quillmoor-cli edit [--db PATH] [--yes] KEY FIELD=VALUE...");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  // --yes accepts the offer to rename pictures named after the old title.
  ConsoleSink sink(args.has("--yes"));
  db::DbConnection db;
  db.open(path);
  auto loaded = records::loadRecord(db, args.positional[0], sink);
  db.close();
  if (!loaded.found) {
    printError("error: no image " + args.positional[0]);
    return 1;
  }
  for (std::size_t i = 1; i < args.positional.size(); ++i) {
    const std::string& assignment = args.positional[i];
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos ||
        !records::setField(loaded.record, std::string_view(assignment).substr(0, equals), assignment.substr(equals + 1))) {
      printError("error: not a field assignment: " + assignment);
      return 2;
    }
  }
  const platform::IniFile ini(settingsPathFor(path));
  const std::string smart = text::smartTitle(loaded.record.title, text::loadSymbolTables(ini));
  const auto result = records::saveRecord(path, loaded.record, loaded.storedSaleYear, smart, sink);
  if (result.outcome != records::SaveOutcome::Saved) return 1;
  if (result.offerRename) {
    db.open(path);
    const auto renamed = records::offerTitlePictureRename(db, result.cursorKey, result.oldTitle, loaded.record.title,
                                                          platform::folderOf(path), sink);
    if (renamed.renamed + renamed.refused > 0)
      printLine("pictures renamed: " + std::to_string(renamed.renamed) + ", refused: " + std::to_string(renamed.refused));
  }
  printLine("saved " + result.cursorKey);
  return 0;
}

}  // namespace qm::cli

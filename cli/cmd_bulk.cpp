#include "app/records/bulk_change.h"
#include "app/records/bulk_dialogs.h"
#include "app/records/title_pictures.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/reading_settings.h"
#include "common/text/smart_title.h"
#include "common/text/text_normalizer.h"

namespace qm::cli {

namespace {

// The reading written with a new title: --kana when given, else the reading
// made from the title when "TitleToKana" is on (the bulk dialog's default when
// absent), else empty, as the dialog's reading field would be.
std::string titleKana(const Arguments& args, const platform::IniFile& ini, const std::string& title) {
  if (args.options.count("--kana")) return args.get("--kana");
  if (!records::bulkTitleToKana(ini)) return {};
  const text::TextNormalizer reading(text::readingNormalizeOptions(text::loadReadingOptions(ini)),
                                     text::loadSymbolTables(ini));
  std::string kana;
  reading.convert(title, kana);
  return kana;
}

int runToggleAdult(const std::string& path, const std::vector<std::string>& keys, platform::MessageSink& sink) {
  db::DbConnection db;
  db.open(path);
  if (auto error = db.execute("SELECT adult FROM main_table WHERE file_name=" + db::sqlText(keys[0]) + ";")) {
    printError("error: " + *error);
    return 1;
  }
  const bool firstMarked = db.rowCount() > 0 && db.cell(1, 0) != "0";
  const auto marked = records::toggleAdult(path, keys, firstMarked, sink);
  if (!marked) return 1;
  printLine(std::string("adult=") + (*marked ? "1" : "0"));
  return 0;
}

}  // namespace

// One field of many images at once, as the bulk-change dialogs and quick marks do.
int runBulk(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--field", "--value", "--kana"});
  const std::string field = args.get("--field");
  if (args.positional.empty() || field.empty()) {
    printError("usage: quillmoor-cli bulk [--db PATH] --field NAME --value VALUE [--kana READING] [--yes] KEY...");
    return 2;
  }
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;
  if (!allKnown(path, args.positional)) return 1;
  // --yes accepts the offers to rename pictures named after old titles.
  ConsoleSink sink(args.has("--yes"));
  if (field == "adult") return runToggleAdult(path, args.positional, sink);
  if (field == "rating") {
    const std::string value = args.get("--value");
    const bool tens = value.size() == 2 && value[1] == '0' && value[0] >= '0' && value[0] <= '5';
    if (value != "0" && !tens) {
      printError("error: a rating is 0, 10, 20, 30, 40 or 50");
      return 2;
    }
    return records::setRatings(path, args.positional, std::stoi(value), sink) ? 0 : 1;
  }
  const auto which = records::bulkFieldNamed(field);
  if (!which) {
    printError("error: not a field of bulk changes: " + field);
    return 2;
  }
  records::BulkChange change{*which, args.get("--value"), {}, {}};
  if (change.field == records::BulkField::Title) {
    const platform::IniFile ini(settingsPathFor(path));
    change.kana = titleKana(args, ini, change.value);
    change.smartTitle = text::smartTitle(change.value, text::loadSymbolTables(ini));
  }
  db::DbConnection db;
  db.open(path);
  const auto oldTitles = change.field == records::BulkField::Title ? records::storedTitles(db, args.positional)
                                                                   : std::vector<std::string>();
  if (!records::applyBulkChange(path, change, args.positional, sink)) return 1;
  printLine("changed " + std::to_string(args.positional.size()));
  const auto renamed = records::offerBulkTitleRenames(db, args.positional, oldTitles, change.value,
                                                      platform::folderOf(path), sink);
  if (renamed.renamed + renamed.refused > 0)
    printLine("pictures renamed: " + std::to_string(renamed.renamed) + ", refused: " + std::to_string(renamed.refused));
  return 0;
}

}  // namespace qm::cli

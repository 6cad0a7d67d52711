#include <atomic>

#include "app/renamedata/list_data.h"
#include "app/renamedata/rename_run.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "common/platform/ini.h"
#include "common/text/reading_settings.h"
#include "common/text/sjis.h"

namespace qm::cli {
namespace {

using renamedata::KeyType;
using renamedata::RenameStatus;

// Test lines as they come; of the status lines only the last is printed.
class ConsoleRenameObserver : public renamedata::RenameObserver {
public:
  void status(const std::string& line) override { last = line; }
  void testLine(const std::string& line) override { printLine(line); }
  std::string last;
};

std::optional<KeyType> keyTypeOf(const std::string& name) {
  if (name.empty() || name == "crc32") return KeyType::Crc32;
  if (name == "crc16") return KeyType::Crc16;
  if (name == "title") return KeyType::FileTitle;
  if (name == "name") return KeyType::FileName;
  return std::nullopt;
}

// "Title,Maker": the exports' names without "Get"; every item when empty.
std::optional<std::vector<renamedata::RenameItem>> itemsOf(const std::string& list) {
  std::vector<renamedata::RenameItem> items;
  std::size_t from = 0;
  while (from <= list.size() && !list.empty()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    const std::string name = "Get" + list.substr(from, comma - from);
    bool known = false;
    for (const auto& info : renamedata::itemTable())
      if (name == info.exportName) items.push_back(info.item), known = true;
    if (!known) return std::nullopt;
    from = comma + 1;
  }
  if (list.empty())
    for (const auto& info : renamedata::itemTable()) items.push_back(info.item);
  return items;
}

int usageError() {
  printError("usage: rename-data [--db PATH] --machine NAME --plugin PATH --list FILE [--key crc32|crc16|title|name] "
             "[--items Title,Maker,...] [--test] [--yes]");
  return 2;
}

}  // namespace

int runRenameData(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine", "--plugin", "--list", "--key", "--items"});
  const auto keyType = keyTypeOf(args.get("--key"));
  const auto items = itemsOf(args.get("--items"));
  if (args.get("--machine").empty() || args.get("--plugin").empty() || args.get("--list").empty() || !keyType ||
      !items)
    return usageError();
  const std::string path = databasePath(args);
  if (!libraryExists(path)) return 1;

  auto load = renamedata::RenamePlugin::load(args.get("--plugin"));
  if (!load.plugin) {
    printError("error: " + load.refusal);
    return 1;
  }
  const renamedata::ListData list = renamedata::loadListData(args.get("--list"));
  if (!list.text) {
    printError("error: " + list.failure);
    return 1;
  }
  if (!list.notice.empty()) printLine(list.notice);
  const renamedata::ListCheck check = load.plugin->checkList(*list.text);
  if (!check.error.empty()) {
    printError("error: " + check.error);
    return 1;
  }
  if (!check.notice.empty()) printLine(check.notice);
  const renamedata::RenameRequest request{path, args.get("--machine"), *keyType, *items, args.has("--test"),
                                          text::loadSymbolTables(platform::IniFile(settingsPathFor(path)))};
  ConsoleSink sink(args.has("--yes"));
  ConsoleRenameObserver observer;
  RenameStatus ended = RenameStatus::Completed;
  const auto keys = renamedata::selectRenameKeys(request, sink, observer, ended);
  if (!keys) {
    if (!observer.last.empty()) printError(observer.last);
    return 1;
  }
  StopFlag stop{stop::kRunning};
  const auto result = renamedata::runRename(request, *keys, *load.plugin, *list.text, observer, stop);
  if (result.status == RenameStatus::Failed) {
    printError("error: " + result.error);
    return 1;
  }
  printLine(observer.last);
  return 0;
}

}  // namespace qm::cli

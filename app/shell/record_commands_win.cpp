#include "app/shell/record_commands_win.h"

#include "app/records/bulk_dialog_win.h"
#include "app/records/quick_marks_win.h"
#include "app/records/record_editor_win.h"
#include "app/settings/settings.h"
#include "app/shell/main_window_win.h"

namespace qm::shell {
namespace {

std::vector<std::string> selectedKeys(CommandContext& context) {
  std::vector<std::string> keys;
  for (const auto& item : context.list->selectedItems()) keys.push_back(item.fileName);
  return keys;
}

records::BulkPlace bulkPlace(const CommandContext& context) {
  records::BulkPlace place;
  place.owner = context.owner;
  place.dbPath = context.app->dbPath;
  place.settingsPath = context.app->settingsPath;
  place.programFolder = context.app->programFolder;
  place.migemo = context.migemo;
  if (context.settings) {
    place.migemoOn = context.settings->number(Setting::MigemoInclOn) == 1;
    place.migemoClassLimit = context.settings->number(Setting::MigemoInclClassLimit);
  }
  return place;
}

// The list is read again only after the library changed, the cursor on the
// first selected item.
void runOnSelected(CommandContext& context, bool (*change)(const records::BulkPlace&, const std::vector<std::string>&)) {
  const std::vector<std::string> keys = selectedKeys(context);
  if (keys.empty()) return;
  if (change(bulkPlace(context), keys)) context.list->refreshItemListAt(keys.front());
}

}  // namespace

// The editor opens on the first selected item.
void editRecordOfSelected(CommandContext& context) {
  const std::vector<std::string> keys = selectedKeys(context);
  if (keys.empty()) return;
  const records::BulkPlace bulk = bulkPlace(context);
  const records::EditorPlace place{bulk.owner,  bulk.dbPath,   bulk.settingsPath,    bulk.programFolder,
                                   bulk.migemo, bulk.migemoOn, bulk.migemoClassLimit};
  if (const auto cursor = records::editRecord(place, keys.front())) context.list->refreshItemListAt(*cursor);
}

void bulkChangeOfSelected(CommandContext& context, int command) {
  const std::vector<std::string> keys = selectedKeys(context);
  // The creator change is offered without a selection; it then has nothing to change.
  if (keys.empty()) return;
  if (records::runBulkDialog(bulkPlace(context), command, keys)) context.list->refreshItemListAt(keys.front());
}

void genreOfSelected(CommandContext& context) {
  runOnSelected(context, [](const records::BulkPlace& place, const std::vector<std::string>& keys) {
    return records::runMarkPopup(place, false, keys);
  });
}

void adultMarkOfSelected(CommandContext& context) {
  runOnSelected(context, [](const records::BulkPlace& place, const std::vector<std::string>& keys) {
    return records::runMarkPopup(place, true, keys);
  });
}

void toggleAdultOfSelected(CommandContext& context) {
  records::toggleAdultOfSelected({context.owner, context.itemList, context.list->items(), context.app->dbPath});
}

}  // namespace qm::shell

#include "app/shell/commands_win.h"

#include <functional>
#include <iterator>

#include "app/alter_ego/alter_ego_dialog_win.h"
#include "app/crc_check/crc_recompute_dialog_win.h"
#include "app/dat_verify/dat_verify_dialog_win.h"
#include "app/keys/keyboard_hook_win.h"
#include "app/keys/shortcut_keys_dialog_win.h"
#include "app/launch/emulator_settings_dialog_win.h"
#include "app/library_moves/image_backup_dialog_win.h"
#include "app/maintenance/database_properties_dialog_win.h"
#include "app/maintenance/maintenance_dialog_win.h"
#include "app/maintenance/multi_image_commands_win.h"
#include "app/maintenance/smart_title_run.h"
#include "app/masters/master_dialogs_win.h"
#include "app/menus/menu_table.h"
#include "app/registration/add_image_dialog_win.h"
#include "app/renamedata/rename_data_dialog_win.h"
#include "app/shell/item_commands_win.h"
#include "app/shell/main_window_win.h"
#include "app/shell/record_commands_win.h"
#include "app/shell/web_menu_win.h"
#include "app/web/web_sites.h"
#include "app/web/web_sites_dialog_win.h"

namespace qm::shell {
namespace {

struct Command {
  int id;
  void (*run)(CommandContext&);
};

// The run dialogs' hosts take the list's refreshes as functions.
std::function<void()> refreshOf(const CommandContext& context) {
  return [list = context.list] { list->refreshItemList(); };
}
std::function<void()> emptyingOf(const CommandContext& context) {
  return [list = context.list] { list->emptyItemList(); };
}

void exitProgram(CommandContext& context) { DestroyWindow(context.owner); }

// The item list shows master names and icons: it is filled again after a change.
void manageMasters(CommandContext& context, master::Kind kind) {
  const master::ManagementContext management{context.owner, context.app->dbPath, context.app->programFolder,
                                             context.masterIcons};
  if (master::runManagement(management, kind)) context.list->refreshItemList();
}
void manageMachines(CommandContext& context) { manageMasters(context, master::Kind::Machine); }
void manageMedia(CommandContext& context) { manageMasters(context, master::Kind::Media); }
void manageGenres(CommandContext& context) { manageMasters(context, master::Kind::Genre); }
void manageAdultex(CommandContext& context) { manageMasters(context, master::Kind::Adultex); }

using maintenance::MaintenanceMode;

void openMaintenance(CommandContext& context, MaintenanceMode mode) {
  if (!context.app) return;
  const maintenance::MaintenanceHost host{context.owner,
                                          context.app->dbPath,
                                          context.app->settingsPath,
                                          context.settings,
                                          refreshOf(context),
                                          emptyingOf(context),
                                          [list = context.list] { return list->currentItem(); }};
  maintenance::openMaintenanceDialog(host, mode);
}
void removeMissing(CommandContext& context) { openMaintenance(context, MaintenanceMode::RemoveMissing); }
void makeKana(CommandContext& context) { openMaintenance(context, MaintenanceMode::KanaReading); }
// The start-up notice about missing smart titles names this command: while
// rows lack one it opens the page that fills exactly those.
void rebuildSmartTitles(CommandContext& context) {
  const bool missing = context.app && maintenance::smartTitlesMissing(context.app->dbPath);
  openMaintenance(context, missing ? MaintenanceMode::SmartTitleUpdate : MaintenanceMode::SmartTitleRebuild);
}
void exportCsv(CommandContext& context) { openMaintenance(context, MaintenanceMode::CsvExport); }
void importCsv(CommandContext& context) { openMaintenance(context, MaintenanceMode::CsvImport); }
void recomputeCrc(CommandContext& context) {
  const crc_check::CrcRecomputeHost host{context.owner, context.app->dbPath, context.app->programFolder,
                                         refreshOf(context), emptyingOf(context)};
  crc_check::openCrcRecomputeDialog(host);
}
void replaceColumnValue(CommandContext& context) { openMaintenance(context, MaintenanceMode::ColumnReplace); }
void syncFolder(CommandContext& context) { openMaintenance(context, MaintenanceMode::FolderSync); }
void backUpImageFiles(CommandContext& context) {
  const moves::BackupHost host{context.owner, context.app->dbPath, context.app->programFolder,
                               context.app->settingsPath, context.list->selectedItems()};
  moves::openImageBackupDialog(host);
}
void verifyWithDat(CommandContext& context) { datverify::openDatVerifyDialog(context.owner, context.app->dbPath); }
void databaseProperties(CommandContext& context) {
  maintenance::openDatabaseProperties(context.owner, context.app->dbPath);
}

void dissolveSelectedSet(CommandContext& context) {
  const std::vector<maintenance::SetItem> selected = context.list->selectedItems();
  if (maintenance::dissolveSelectedSet(context.owner, context.app->dbPath, selected))
    context.list->refreshItemListAt(selected.front().fileName);
}
void removeSelectedItems(CommandContext& context) {
  if (maintenance::removeSelectedItems(context.owner, context.app->dbPath, context.list->selectedItems()))
    context.list->refreshItemListAt("");
}

void addImages(CommandContext& context) {
  const registration::RunPlace place{context.owner, context.app->dbPath, context.app->settingsPath,
                                     context.app->programFolder};
  if (registration::openAddImageDialog(place)) context.list->refreshItemList();
}

void renameData(CommandContext& context) {
  const renamedata::RenameDataPlace place{context.owner, context.app->dbPath, context.app->settingsPath,
                                          context.app->programFolder};
  if (renamedata::openRenameDataDialog(place)) context.list->refreshItemList();
}
void alterEgo(CommandContext& context) {
  const std::vector<maintenance::SetItem> selected = context.list->selectedItems();
  if (selected.empty()) return;
  const std::string key = selected.front().fileName;
  alter_ego::openAlterEgoDialog({context.owner, context.app->dbPath, context.settings,
                                 [list = context.list, key] { list->refreshItemListAt(key); }},
                                selected.front());
}

void shortcutKeys(CommandContext& context) {
  if (runShortcutKeysDialog(context.owner, context.app->programFolder)) reloadShortcutKeys();
}
void webSearchSettings(CommandContext& context) {
  if (web::runWebSitesDialog(context.owner, context.app->programFolder)) refreshSiteMenu();
}

void resetSortDirections(CommandContext& context) {
  if (context.list) context.list->resetSort();
}

// Renamed or deleted settings take their per-image assignments along.
void emulatorSettings(CommandContext& context) {
  if (launch::runEmulatorSettingsDialog(context.owner, context.app->programFolder, context.app->dbPath,
                                        context.list->currentItem(), context.settings))
    context.list->refreshItemList();
}

template <int Slot>
void favourite(CommandContext& context) {
  toggleFavourite(context, Slot);
}

template <int Id>
void bulkChange(CommandContext& context) {
  bulkChangeOfSelected(context, Id);
}

constexpr Command kCommands[] = {
    {menu::kBackupDatabase, backupDatabaseFile},
    {menu::kFavourite0 + 0, favourite<0>}, {menu::kFavourite0 + 1, favourite<1>},
    {menu::kFavourite0 + 2, favourite<2>}, {menu::kFavourite0 + 3, favourite<3>},
    {menu::kFavourite0 + 4, favourite<4>}, {menu::kFavourite0 + 5, favourite<5>},
    {menu::kFavourite0 + 6, favourite<6>}, {menu::kFavourite0 + 7, favourite<7>},
    {menu::kFavourite0 + 8, favourite<8>}, {menu::kFavourite0 + 9, favourite<9>},
    {menu::kReleaseEmulatorChoice, releaseEmulatorOfSelected},
    {menu::kOpenImageFolder, openImageFolder},
    {menu::kResetBootInfo, resetBootOfSelected},
    {menu::kGeneralSettings, openGeneralSettings},
    {menu::kFixToolbar, toggleToolbarLock},
    {menu::kHelp, openHelp},
    {menu::kVersion, showVersion},
    {menu::kShortcutKeys, shortcutKeys},
    {menu::kWebSearchSettings, webSearchSettings},
    {menu::kExit, exitProgram},
    {menu::kResetSortDirections, resetSortDirections},
    {menu::kManageMachines, manageMachines},
    {menu::kManageMedia, manageMedia},
    {menu::kManageGenres, manageGenres},
    {menu::kManageAdultex, manageAdultex},
    {menu::kRemoveMissing, removeMissing},
    {menu::kMakeKana, makeKana},
    {menu::kRebuildSmartTitles, rebuildSmartTitles},
    {menu::kDatabaseProperties, databaseProperties},
    {menu::kDatVerify, verifyWithDat},
    {menu::kExportCsv, exportCsv},
    {menu::kImportCsv, importCsv},
    {menu::kRecomputeCrc, recomputeCrc},
    {menu::kReplaceColumnValue, replaceColumnValue},
    {menu::kSyncFolder, syncFolder},
    {menu::kBackupImages, backUpImageFiles},
    {menu::kReleaseMultiImage, dissolveSelectedSet},
    {menu::kRemoveFromLibrary, removeSelectedItems},
    {menu::kAddImages, addImages},
    {menu::kEmulatorSettings, emulatorSettings},
    {menu::kEditRecord, editRecordOfSelected},
    {menu::kBulkTitle, bulkChange<menu::kBulkTitle>},
    {menu::kBulkMaker, bulkChange<menu::kBulkMaker>},
    {menu::kBulkDeveloper, bulkChange<menu::kBulkDeveloper>},
    {menu::kBulkGenre, genreOfSelected},
    {menu::kBulkCountry, bulkChange<menu::kBulkCountry>},
    {menu::kBulkAdult, toggleAdultOfSelected},
    {menu::kBulkAdultex, adultMarkOfSelected},
    {menu::kBulkVersion, bulkChange<menu::kBulkVersion>},
    {menu::kBulkSaleDate, bulkChange<menu::kBulkSaleDate>},
    {menu::kBulkCreator, bulkChange<menu::kBulkCreator>},
    {menu::kRenameDataUpdate, renameData},
    {menu::kAlterEgo, alterEgo},
};

}  // namespace

bool runCommand(int id, CommandContext& context) {
  if (const auto site = web::siteOfCommand(id)) {
    openWebSite(*site, context);
    return true;
  }
  for (const auto& command : kCommands) {
    if (command.id != id) continue;
    command.run(context);
    return true;
  }
  return false;
}

}  // namespace qm::shell

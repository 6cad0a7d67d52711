#include "app/shell/item_commands_win.h"

#include <shellapi.h>

#include "app/library/item_commands.h"
#include "app/library/library_backup.h"
#include "app/library/version_box.h"
#include "app/settings/general_settings_dialog_win.h"
#include "app/settings/settings.h"
#include "app/shell/image_folder.h"
#include "app/shell/main_window_win.h"
#include "app/ui/busy_cursor_win.h"
#include "app/ui/html_help_win.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using text::sjis;

std::vector<std::string> selectedKeys(CommandContext& context) {
  std::vector<std::string> keys;
  for (const auto& item : context.list->selectedItems()) keys.push_back(item.fileName);
  return keys;
}

// Runs `change` on the selected keys, then fills the list again with the
// cursor on the first of them.
template <typename Change>
void changeSelected(CommandContext& context, Change change) {
  const std::vector<std::string> keys = selectedKeys(context);
  if (keys.empty()) return;
  auto sink = platform::makeWindowSink(context.owner);
  {
    ui::BusyCursor busy;
    change(keys, *sink);
  }
  context.list->refreshItemListAt(keys.front());
}


}  // namespace

// The digits come from the library rather than the list's result, which
// may be older than the last change.
void toggleFavourite(CommandContext& context, int slot) {
  changeSelected(context, [&](const std::vector<std::string>& keys, platform::MessageSink& sink) {
    changeFavourite(context.app->dbPath, slot, FavouriteMode::Toggle, storedFavourites(context.app->dbPath, keys),
                    sink);
  });
}

void resetBootOfSelected(CommandContext& context) {
  changeSelected(context, [&](const std::vector<std::string>& keys, platform::MessageSink& sink) {
    resetBootInfo(context.app->dbPath, keys, sink);
  });
}

void releaseEmulatorOfSelected(CommandContext& context) {
  changeSelected(context, [&](const std::vector<std::string>& keys, platform::MessageSink& sink) {
    releaseEmulatorChoice(context.app->dbPath, keys, sink);
  });
}

void openImageFolder(CommandContext& context) {
  const std::vector<std::string> keys = selectedKeys(context);
  if (keys.empty()) return;
  auto sink = platform::makeWindowSink(context.owner);
  if (auto open = imageFolderToOpen(keys.front(), *sink))
    ShellExecuteA(context.owner, "open", "EXPLORER.EXE", open->parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void backupDatabaseFile(CommandContext& context) {
  auto sink = platform::makeWindowSink(context.owner);
  runLibraryBackup(context.app->dbPath, *sink);
}

void openHelp(CommandContext& context) { ui::openHelp(context.owner, context.app->programFolder, ""); }

void showVersion(CommandContext& context) {
  auto sink = platform::makeWindowSink(context.owner);
  sink->show(versionBoxText(), versionCaption(), platform::MessageIcon::Information, platform::MessageButtons::Ok);
}

void openGeneralSettings(CommandContext& context) { runGeneralSettings(context.owner, context.app->settingsPath); }

// The lock is kept at once: the file is otherwise written only when the
// bands change.
void toggleToolbarLock(CommandContext& context) {
  Settings& settings = *context.settings;
  settings.setNumber(Setting::CoolBarFix, settings.number(Setting::CoolBarFix) == 1 ? 0 : 1);
  writeValue(platform::IniFile(context.app->settingsPath), settings, Setting::CoolBarFix);
}

}  // namespace qm::shell

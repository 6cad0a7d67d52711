// The library maintenance dialog "DBLiquidationDlg": one frame for the
// removal of missing images, the bulk reading generation, the smart-title
// rebuild and the CSV export and import. Its run goes on a worker thread;
// everything the run tells the user or does to the main window is handed to
// the interface thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/maintenance/maintenance_page.h"
#include "app/settings/settings.h"

namespace qm::maintenance {

// What the dialog uses of the main window.
struct MaintenanceHost {
  HWND owner = nullptr;
  std::string dbPath;
  std::string settingsPath;
  // The main window's settings in use; the reading options edit them.
  Settings* settings = nullptr;
  // Refills the item list after a run; empties it while a run has no list_view.
  std::function<void()> refreshItemList;
  std::function<void()> emptyItemList;
  // file_name of the item list's current item ("" when none).
  std::function<std::string()> currentItem;
};

// Modal over the main window; returns when the dialog has closed and its run,
// if any, has ended.
void openMaintenanceDialog(const MaintenanceHost& host, MaintenanceMode mode);

}  // namespace qm::maintenance

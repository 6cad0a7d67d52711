// The library maintenance dialog "DBLiquidationDlg": one frame for the
// removal of missing images, the bulk reading generation and the smart-title
// rebuild. Its run goes on a worker thread; everything the run tells the user
// or does to the main window is handed to the interface thread.
#pragma once

#include "app/maintenance/maintenance_page.h"
#include "app/shell/commands_win.h"

namespace qm::maintenance {

// Modal over the main window; returns when the dialog has closed and its run,
// if any, has ended.
void openMaintenanceDialog(shell::CommandContext& context, MaintenanceMode mode);

}  // namespace qm::maintenance

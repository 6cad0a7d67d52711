// What the library maintenance dialog ("DBLiquidationDlg") shows in each of
// its modes, and the machine list it offers. The window itself is
// maintenance_dialog_win.cpp; this part is plain data so that its texts are
// tested natively.
#pragma once

#include <string>
#include <vector>

#include "common/run/machine_list.h"

namespace qm::maintenance {

// The dialog's mode numbers. 2 fills the smart titles an upgrade (or an older
// registration) left empty: the start-up notice about them opens it.
enum class MaintenanceMode : int {
  RemoveMissing = 0,
  KanaReading = 1,
  SmartTitleUpdate = 2,
  SmartTitleRebuild = 3,
  CsvExport = 10,
  CsvImport = 11,
  ColumnReplace = 4,
  FolderSync = 20,
};

// Program text throughout.
struct MaintenancePage {
  std::string caption;     // the window's
  std::string frameLabel;  // group box 1022
  std::string checkLabel;  // check box 1028
  bool checkedAtOpen = true;
  std::string extraButton;  // "" when the mode has none
  bool machineList = true;  // false: the mode works on the whole library
  std::string notice;       // the page's text in place of the machine list, or ""
  bool csvFile = false;     // a CSV file's path (and the file dialog's button)
  bool folder = false;      // a folder's path (and the folder browser's button)
};

MaintenancePage maintenancePage(MaintenanceMode mode);

// The update page's text once its run completed.
const std::string& updateFinishedNotice();

// Texts of the start/stop button.
const std::string& startText();  // "実行"
const std::string& stopText();   // "中止"

}  // namespace qm::maintenance

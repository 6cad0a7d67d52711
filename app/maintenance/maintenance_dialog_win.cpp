#include "app/maintenance/maintenance_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "app/exchange/csv_export.h"
#include "app/exchange/csv_import.h"
#include "app/library_moves/column_replace.h"
#include "app/maintenance/missing_images.h"
#include "app/maintenance/reading_options_dialog_win.h"
#include "app/maintenance/reading_options_store.h"
#include "app/maintenance/reading_run.h"
#include "app/maintenance/smart_title_check_win.h"
#include "app/maintenance/smart_title_run.h"
#include "app/sync/folder_sync.h"
#include "app/sync/sync_choices.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/file_picker_win.h"
#include "app/ui/folder_browser_win.h"
#include "app/ui/run_dialog_win.h"
#include "app/ui/win_handles_win.h"
#include "common/platform/ini.h"
#include "common/run/file_probe.h"
#include "common/text/encoding.h"

namespace qm::maintenance {
namespace {

using text::sjis;

enum Control : int {
  kMachines = 1005,
  kStart = 1006,
  kColumn = 1007,
  kMachineLabel = 1008,
  kLog = 1009,
  kClose = 1010,
  kTest = 1011,
  kFrom = 1013,
  kFromLabel = 1014,
  kTo = 1015,
  kToLabel = 1016,
  kColumnLabel = 1019,
  kOptionsFrame = 1022,
  kLogFrame = 1023,
  kCheck = 1028,
  kProgress = 1043,
  kExtra = 1050,  // the mode's own button: reading options or the smart-title check
  kNotice = 1051,  // the page's text where a mode has no machine list
  kPathLabel = 1052,
  kPath = 1053,    // CSV modes: the file
  kBrowse = 1054,  // CSV modes: the file dialog
};

// The count at which the log empties itself: what a 16-bit list box holds.
constexpr LRESULT kLogLimit = 32767;

int textWidth(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

using Run = std::function<RunResult(const RunContext&)>;

class MaintenanceDialog : public ui::RunDialog {
public:
  MaintenanceDialog(const MaintenanceHost& host, MaintenanceMode mode)
      : host_(host), mode_(mode), page_(maintenancePage(mode)) {}

  void open() { runModal(host_.owner, page_.caption, 480, 420); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kStart; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  void startOrStop();
  void testOrStop();
  void startRun(Run run, int stopButton);
  Run runFor(const MachineChoice& machine, bool checkedBox);
  void addReplaceControls();
  Run syncRun(const MachineChoice& machine, bool testOnly, bool removeMissing);
  // The modes whose start and test buttons both start a run that goes to its end.
  bool twoButtons() const { return mode_ == MaintenanceMode::ColumnReplace || mode_ == MaintenanceMode::FolderSync; }
  moves::ReplaceRequest replaceRequest(const MachineChoice& machine) const;
  void runEnded() override;
  void showFeed() override;
  void listRequest(HandOverList::Request request) override;
  void addLogLines(const std::vector<std::string>& lines);
  void emptyLog();
  void setInputsEnabled(bool on);
  void extraButton();
  void addCsvFileRow();
  void browseCsvFile();

  const std::string& dbPath() const { return host_.dbPath; }
  platform::IniFile settingsFile() const { return platform::IniFile(host_.settingsPath); }

  const MaintenanceHost& host_;
  MaintenanceMode mode_;
  MaintenancePage page_;
  bool beepAtEnd_ = false;
  bool testing_ = false;  // the replacement's test listing runs
  int logWidth_ = 0;
  RunResult result_;  // written by the worker before it posts kRunEnded
  SystemFileProbe files_;
};

void MaintenanceDialog::createControls() {
  add("BUTTON", page_.frameLabel, BS_GROUPBOX, kOptionsFrame, 10, 8, 460, 84);
  add("STATIC", sjis("機種"), SS_LEFT, kMachineLabel, 24, 34, 44, 16);
  HWND machines = add(WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, kMachines, 70, 30,
                      220, 300);
  for (const std::string& entry : machineListEntries(dbPath()))
    SendMessageA(machines, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(machines, CB_SETCURSEL, 0, 0);
  if (!page_.machineList) {
    ShowWindow(item(kMachineLabel), SW_HIDE);
    ShowWindow(machines, SW_HIDE);
    add("STATIC", page_.notice, SS_LEFT, kNotice, 24, 26, 436, 40);
  }
  if (!page_.extraButton.empty())
    add("BUTTON", page_.extraButton, BS_PUSHBUTTON | WS_TABSTOP, kExtra, 300, 29, 160, 24);
  HWND box = add("BUTTON", page_.checkLabel, BS_AUTOCHECKBOX | WS_TABSTOP, kCheck, 24, 64, 436, 18);
  check(kCheck, page_.checkedAtOpen);
  if (page_.checkLabel.empty()) ShowWindow(box, SW_HIDE);
  if (page_.csvFile || page_.folder) addCsvFileRow();
  if (mode_ == MaintenanceMode::ColumnReplace) addReplaceControls();
  if (mode_ == MaintenanceMode::FolderSync)
    add("BUTTON", sjis("テスト"), BS_PUSHBUTTON | WS_TABSTOP, kTest, 166, 384, 96, 26);

  add("BUTTON", sjis("ログ"), BS_GROUPBOX, kLogFrame, 10, 98, 460, 250);
  add(WC_LISTBOXA, "", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, kLog, 20, 118, 440, 220,
      WS_EX_CLIENTEDGE);
  add(PROGRESS_CLASSA, "", PBS_SMOOTH, kProgress, 10, 356, 460, 18);
  add("BUTTON", startText(), BS_PUSHBUTTON | WS_TABSTOP, kStart, 270, 384, 96, 26);
  add("BUTTON", sjis("閉じる"), BS_PUSHBUTTON | WS_TABSTOP, kClose, 374, 384, 96, 26);
}

LRESULT MaintenanceDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // The edit boxes notify through the same message: only clicks act.
      if (HIWORD(wParam) != BN_CLICKED) break;
      switch (LOWORD(wParam)) {
        case kStart: startOrStop(); return 0;
        case kClose:
        case IDCANCEL: close(); return 0;
        case kExtra: extraButton(); return 0;
        case kBrowse: browseCsvFile(); return 0;
        case kTest: testOrStop(); return 0;
      }
      break;
    case WM_CLOSE:
      close();
      return 0;
  }
  return RunDialog::handle(message, wParam, lParam);
}

// The button reads "中止" while a run is active: then it only asks for the stop,
// which the run notices after its current row.
void MaintenanceDialog::startOrStop() {
  if (running()) {
    requestStop();
    return;
  }
  const int index = static_cast<int>(SendMessageA(item(kMachines), CB_GETCURSEL, 0, 0));
  const MachineChoice machine =
      page_.machineList ? machineChoiceAt(index, ui::comboItemText(item(kMachines), index)) : MachineChoice::everyMachine();
  if (machine.none()) return;
  const bool checkedBox = checked(kCheck);
  Run run = runFor(machine, checkedBox);
  // Removing every row of a machine has no walk and ends without the beep.
  beepAtEnd_ = mode_ != MaintenanceMode::RemoveMissing || checkedBox;
  // A replacement and a sync run to their end: no stop button.
  startRun(std::move(run), twoButtons() ? 0 : kStart);
}

void MaintenanceDialog::startRun(Run run, int stopButton) {
  if (stopButton) setText(stopButton, stopText());
  setInputsEnabled(false);
  emptyLog();
  SendMessageA(item(kProgress), PBM_SETPOS, 0, 0);
  runOnWorker([this, run = std::move(run)] { result_ = run(runContext(dbPath())); });
}

// Built on the interface thread: the settings are read here, not by the run.
Run MaintenanceDialog::runFor(const MachineChoice& machine, bool checkedBox) {
  switch (mode_) {
    case MaintenanceMode::RemoveMissing: {
      const RemovalRun what{machine, checkedBox};
      return [this, what](const RunContext& run) { return removeImages(run, what, files_); };
    }
    case MaintenanceMode::KanaReading: {
      const Settings defaults;
      ReadingRun what{machine, checkedBox,
                      readingOptions(host_.settings ? *host_.settings : defaults, userMapSwitch()),
                      text::loadSymbolTables(settingsFile())};
      return [what = std::move(what)](const RunContext& run) { return generateReadings(run, what); };
    }
    case MaintenanceMode::SmartTitleUpdate: {
      const text::SymbolTables tables = text::loadSymbolTables(settingsFile());
      return [tables](const RunContext& run) {
        return rebuildSmartTitles(run, SmartTitleMode::Update, MachineChoice::everyMachine(), tables);
      };
    }
    case MaintenanceMode::CsvExport: {
      const exchange::CsvExportRequest what{textOf(kPath), machine, checkedBox};
      return [what](const RunContext& run) { return exchange::asRunResult(exchange::exportCsv(run, what)); };
    }
    case MaintenanceMode::CsvImport: {
      const exchange::CsvImportRequest what{textOf(kPath), checkedBox, text::loadSymbolTables(settingsFile())};
      return [what](const RunContext& run) { return exchange::asRunResult(exchange::importCsv(run, what)); };
    }
    case MaintenanceMode::ColumnReplace: {
      const moves::ReplaceRequest request = replaceRequest(machine);
      return [request](const RunContext& run) { return moves::replaceValues(run, request); };
    }
    case MaintenanceMode::FolderSync:
      return syncRun(machine, false, checkedBox);
    case MaintenanceMode::SmartTitleRebuild: {
      const text::SymbolTables tables = text::loadSymbolTables(settingsFile());
      return [machine, tables](const RunContext& run) {
        return rebuildSmartTitles(run, SmartTitleMode::Rebuild, machine, tables);
      };
    }
  }
  return [](const RunContext&) { return RunResult{}; };
}

void MaintenanceDialog::runEnded() {
  showFeed();
  const bool walked = result_.status == RunStatus::Completed || result_.status == RunStatus::Stopped;
  if (walked && beepAtEnd_) MessageBeep(MB_ICONASTERISK);
  setText(kStart, startText());
  if (twoButtons()) setText(kTest, sjis("テスト"));
  testing_ = false;
  setInputsEnabled(true);
  if (mode_ == MaintenanceMode::SmartTitleUpdate && result_.status == RunStatus::Completed) {
    // Done: nothing is left to update, only to close.
    setText(kNotice, updateFinishedNotice());
    enable(kStart, false);
  }
}

void MaintenanceDialog::showFeed() {
  RunFeed::Batch batch = feed_.take();
  HWND progress = item(kProgress);
  if (batch.range) {
    SendMessageA(progress, PBM_SETRANGE32, 0, *batch.range);
    SendMessageA(progress, PBM_SETSTEP, 1, 0);
  }
  SendMessageA(progress, PBM_SETPOS, batch.position, 0);
  addLogLines(batch.lines);
}

// The newest line is always the top visible one; a full list starts again.
void MaintenanceDialog::addLogLines(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  HWND log = item(kLog);
  SendMessageA(log, WM_SETREDRAW, FALSE, 0);
  {
    const ui::WindowDc dc(log);
    const ui::Selected font(dc.get(), reinterpret_cast<HFONT>(SendMessageA(log, WM_GETFONT, 0, 0)));
    for (const std::string& line : lines) {
      if (SendMessageA(log, LB_GETCOUNT, 0, 0) >= kLogLimit) emptyLog();
      const LRESULT at = SendMessageA(log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
      if (at == LB_ERR || at == LB_ERRSPACE) {
        emptyLog();
        SendMessageA(log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
      }
      logWidth_ = std::max(logWidth_, textWidth(dc.get(), line));
    }
  }
  SendMessageA(log, LB_SETHORIZONTALEXTENT, logWidth_ + 8, 0);
  SendMessageA(log, LB_SETTOPINDEX, SendMessageA(log, LB_GETCOUNT, 0, 0) - 1, 0);
  SendMessageA(log, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(log, nullptr, TRUE);
}

void MaintenanceDialog::emptyLog() {
  SendMessageA(item(kLog), LB_RESETCONTENT, 0, 0);
  logWidth_ = 0;
}

void MaintenanceDialog::setInputsEnabled(bool on) {
  for (int id : {kMachines, kCheck, kClose, kExtra, kPath, kBrowse, kColumn}) enable(id, on);
  if (!twoButtons()) return;
  enable(kStart, on);
  enable(kTest, on || testing_);
}

void MaintenanceDialog::listRequest(HandOverList::Request request) {
  const auto& call = request == HandOverList::Request::Emptied ? host_.emptyItemList : host_.refreshItemList;
  if (call) call();
}

void MaintenanceDialog::addReplaceControls() {
  SetWindowPos(item(kMachines), nullptr, 0, 0, 150, 300, SWP_NOMOVE | SWP_NOZORDER);
  add("STATIC", sjis("対象"), SS_LEFT, kColumnLabel, 228, 34, 34, 16);
  HWND columns = add(WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kColumn, 264, 30, 196, 200);
  for (int choice = 0; choice < moves::kColumnCount; ++choice)
    SendMessageA(columns, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(moves::columnChoiceText(choice).c_str()));
  SendMessageA(columns, CB_SETCURSEL, 0, 0);
  add("STATIC", sjis("置換前"), SS_LEFT, kFromLabel, 24, 64, 44, 16);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kFrom, 70, 60, 180, 22, WS_EX_CLIENTEDGE);
  add("STATIC", sjis("置換後"), SS_LEFT, kToLabel, 258, 64, 44, 16);
  add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kTo, 304, 60, 156, 22, WS_EX_CLIENTEDGE);
  for (int id : {kFrom, kTo}) SendMessageA(item(id), EM_LIMITTEXT, 260, 0);
  add("BUTTON", sjis("テスト"), BS_PUSHBUTTON | WS_TABSTOP, kTest, 166, 384, 96, 26);
}

moves::ReplaceRequest MaintenanceDialog::replaceRequest(const MachineChoice& machine) const {
  const int column = static_cast<int>(SendMessageA(item(kColumn), CB_GETCURSEL, 0, 0));
  return {machine, column, textOf(kFrom), textOf(kTo)};
}

// "テスト" lists what the replacement would change; while it lists it reads
// "中止" and asks the listing to stop.
void MaintenanceDialog::testOrStop() {
  if (running()) {
    if (testing_) requestStop();
    return;
  }
  const int index = static_cast<int>(SendMessageA(item(kMachines), CB_GETCURSEL, 0, 0));
  const MachineChoice machine = machineChoiceAt(index, ui::comboItemText(item(kMachines), index));
  if (machine.none()) return;
  testing_ = true;
  beepAtEnd_ = false;
  if (mode_ == MaintenanceMode::FolderSync) {
    startRun(syncRun(machine, true, false), 0);
    return;
  }
  const moves::ReplaceRequest request = replaceRequest(machine);
  startRun([request](const RunContext& run) { return moves::listReplacements(run, request); }, kTest);
}

void MaintenanceDialog::extraButton() {
  if (mode_ == MaintenanceMode::KanaReading && host_.settings) {
    openReadingOptionsDialog(hwnd_, *host_.settings, host_.settingsPath);
  } else if (mode_ == MaintenanceMode::SmartTitleRebuild && host_.currentItem) {
    showSmartTitleCheck(hwnd_, dbPath(), host_.currentItem());
  }
}

// "全ての機種" has no extension list to walk by: the sync refuses it by name.
Run MaintenanceDialog::syncRun(const MachineChoice& machine, bool testOnly, bool removeMissing) {
  sync::SyncRequest request;
  request.registration =
      sync::registrationFromSettings(host_.settingsPath, textOf(kPath), machine.name);
  request.settingsPath = host_.settingsPath;
  request.testOnly = testOnly;
  request.removeMissing = removeMissing;
  return [this, request](const RunContext& run) {
    const sync::SyncResult result = sync::syncFolder(run, request, files_);
    return RunResult{result.status};
  };
}

// The file (or folder) on the first row of the frame; the machine list (export) and the
// header check box share the second.
void MaintenanceDialog::addCsvFileRow() {
  add("STATIC", sjis(page_.folder ? "フォルダ" : "ファイル"), SS_LEFT, kPathLabel, 20, 32, 54, 16);
  add(WC_EDITA, "", ES_AUTOHSCROLL | WS_TABSTOP, kPath, 76, 28, 344, 22, WS_EX_CLIENTEDGE);
  add("BUTTON", "...", BS_PUSHBUTTON | WS_TABSTOP, kBrowse, 424, 28, 36, 22);
  MoveWindow(item(kMachineLabel), 250, 62, 36, 16, TRUE);
  MoveWindow(item(kMachines), 290, 58, 170, 300, TRUE);
  MoveWindow(item(kCheck), 24, 60, 220, 18, TRUE);
  if (HWND notice = item(kNotice)) ShowWindow(notice, SW_HIDE);
}

void MaintenanceDialog::browseCsvFile() {
  if (page_.folder) {
    const auto folder = ui::browseForFolder(hwnd_, page_.caption, textOf(kPath), ui::BrowseFor::Folders);
    if (folder) setText(kPath, *folder);
    return;
  }
  const ui::FileKind csv{sjis("CSVファイル (*.csv)"), "*.csv", "csv"};
  const bool saving = mode_ == MaintenanceMode::CsvExport;
  const auto chosen = ui::pickFile(hwnd_, page_.caption, csv, saving ? ui::FileUse::Save : ui::FileUse::Open,
                                   textOf(kPath));
  if (chosen) setText(kPath, *chosen);
}

}  // namespace

void openMaintenanceDialog(const MaintenanceHost& host, MaintenanceMode mode) {
  MaintenanceDialog dialog(host, mode);
  dialog.open();
}

}  // namespace qm::maintenance

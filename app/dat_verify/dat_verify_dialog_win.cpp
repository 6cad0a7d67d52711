#include "app/dat_verify/dat_verify_dialog_win.h"

#include <commctrl.h>

#include "app/dat_verify/dat_verify.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/file_picker_win.h"
#include "app/ui/message_box_win.h"
#include "app/ui/run_dialog_win.h"
#include "common/platform/atomic_file.h"
#include "common/run/machine_list.h"
#include "common/text/encoding.h"

namespace qm::datverify {
namespace {

using text::sjis;

enum Control : int {
  kMachines = 1001,
  kDatFile,
  kBrowse,
  kStart,
  kProgress,
  kNotice,  // what the DAT held
  kCounts,
  kLines,
  kSave,
  kClose,
};

ui::FileKind datKind() { return {sjis("DATファイル (*.dat;*.xml;*.zip)"), "*.dat;*.xml;*.zip", "dat"}; }
ui::FileKind textKind() { return {sjis("テキストファイル (*.txt)"), "*.txt", "txt"}; }

class DatVerifyDialog : public ui::RunDialog {
public:
  DatVerifyDialog(HWND owner, const std::string& dbPath) : owner_(owner), dbPath_(dbPath) {}
  void open() { runModal(owner_, sjis("DATファイルで照合"), 720, 520); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kDatFile; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  void browse();
  void startOrStop();
  void save();
  void runEnded() override;
  void showFeed() override;
  void setInputsEnabled(bool on);

  HWND owner_;
  std::string dbPath_;
  std::string datPath_;
  maintenance::MachineChoice machine_;
  // Written by the worker before it posts the end.
  DatLoad load_;
  VerifyReport report_;
};

void DatVerifyDialog::createControls() {
  label(sjis("照合する機種"), 16, 16, 200);
  HWND machines = add(WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kMachines, 16, 38, 220, 300);
  for (const std::string& entry : maintenance::machineListEntries(dbPath_))
    SendMessageA(machines, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(machines, CB_SETCURSEL, 0, 0);
  label(sjis("DATファイル（Logiqx XML・clrmamepro 形式、zip の中の .dat・.xml も可）"), 16, 72, 680);
  edit(kDatFile, 16, 94, 580, ES_AUTOHSCROLL);
  button(sjis("参照…"), kBrowse, 608, 92, 96);
  add(PROGRESS_CLASSA, "", PBS_SMOOTH, kProgress, 16, 132, 580, 21);
  button(sjis("照合"), kStart, 608, 130, 96);
  add("STATIC", "", SS_LEFT | SS_ENDELLIPSIS, kNotice, 16, 164, 688, 16);
  add("STATIC", "", SS_LEFT, kCounts, 16, 184, 688, 16);
  add("LISTBOX", "", WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS, kLines, 16, 206, 688, 260,
      WS_EX_CLIENTEDGE);
  SendMessageA(item(kLines), LB_SETHORIZONTALEXTENT, 2000, 0);
  button(sjis("テキストで保存…"), kSave, 16, 478, 140);
  enable(kSave, false);
  button(sjis("閉じる"), kClose, 608, 478, 96);
}

LRESULT DatVerifyDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kBrowse: browse(); return 0;
        case kStart: startOrStop(); return 0;
        case kSave: save(); return 0;
        case kClose:
        case IDCANCEL: close(); return 0;
      }
      break;
    case WM_CLOSE: close(); return 0;
  }
  return RunDialog::handle(message, wParam, lParam);
}

void DatVerifyDialog::browse() {
  if (const auto path = ui::pickFile(hwnd_, sjis("DATファイルを選んでください"), datKind(), ui::FileUse::Open, textOf(kDatFile)))
    setText(kDatFile, *path);
}

void DatVerifyDialog::startOrStop() {
  if (running()) {
    requestStop();
    return;
  }
  HWND machines = item(kMachines);
  machine_ = maintenance::machineChoiceAt(static_cast<int>(SendMessageA(machines, CB_GETCURSEL, 0, 0)),
                                          ui::comboSelectedText(machines));
  datPath_ = textOf(kDatFile);
  if (machine_.none() || datPath_.empty()) return;
  SendMessageA(item(kLines), LB_RESETCONTENT, 0, 0);
  for (int id : {kNotice, kCounts}) setText(id, "");
  SendMessageA(item(kProgress), PBM_SETPOS, 0, 0);
  setText(kStart, sjis("中止"));
  setInputsEnabled(false);
  runOnWorker([this] {
    report_ = {};
    load_ = loadDatFile(datPath_);
    if (load_.dat) report_ = verifyLibrary(dbPath_, machine_, *load_.dat, feed_, maintenance::processStopFlag());
  });
}

void DatVerifyDialog::runEnded() {
  showFeed();
  setText(kStart, sjis("照合"));
  setInputsEnabled(true);
  if (!load_.dat) return ui::showError(hwnd_, load_.error, sjis("エラー"));
  if (!report_.failure.empty()) return ui::showError(hwnd_, report_.failure, sjis("DBエラー"));
  setText(kNotice, report_.notice);
  setText(kCounts, report_.stopped ? sjis("ユーザーからの要求で処理を中止しました") : summaryLine(report_));
  if (report_.stopped) return;
  HWND lines = item(kLines);
  SendMessageA(lines, WM_SETREDRAW, FALSE, 0);
  for (const std::string& line : reportLines(report_))
    SendMessageA(lines, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageA(lines, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(lines, nullptr, TRUE);
  enable(kSave, true);
}

void DatVerifyDialog::save() {
  const auto path = ui::pickFile(hwnd_, sjis("照合結果の保存"), textKind(), ui::FileUse::Save, "");
  if (!path) return;
  if (!platform::writeFileAtomically(*path, reportText(report_)))
    ui::showError(hwnd_, sjis("照合結果を保存できませんでした。\n") + *path, sjis("エラー"));
}

// The range is 32-bit, as the CRC recomputation's.
void DatVerifyDialog::showFeed() {
  maintenance::RunFeed::Batch batch = feed_.take();
  HWND progress = item(kProgress);
  if (batch.range) SendMessageA(progress, PBM_SETRANGE32, 0, *batch.range);
  SendMessageA(progress, PBM_SETPOS, batch.position, 0);
}

void DatVerifyDialog::setInputsEnabled(bool on) {
  for (int id : {kMachines, kDatFile, kBrowse, kClose}) enable(id, on);
  enable(kSave, on && load_.dat && report_.failure.empty() && !report_.stopped);
}

}  // namespace

void openDatVerifyDialog(HWND owner, const std::string& dbPath) {
  DatVerifyDialog dialog(owner, dbPath);
  dialog.open();
}

}  // namespace qm::datverify

#include "app/crc_check/crc_recompute_dialog_win.h"

#include <commctrl.h>

#include <charconv>
#include <optional>

#include "app/crc_check/crc_library.h"
#include "app/crc_check/crc_recompute.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/run_dialog_win.h"
#include "common/run/file_probe.h"
#include "common/run/machine_list.h"
#include "common/text/encoding.h"

namespace qm::crc_check {
namespace {

using maintenance::HandOverList;
using text::sjis;

enum Control : int {
  kFrame = 1001,
  kMachineLabel,
  kMachines,
  kCrc32,
  kCrc16,
  kOffset,
  kLength,
  kCurrent,
  kProgress,
  kMarker,
  kStart,
  kClose,
  kCounts,  // after a run: rows updated, skipped and failed
};

std::optional<std::uint32_t> windowNumber(const std::string& text) {
  if (text.empty()) return 0;
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

class CrcRecomputeDialog : public ui::RunDialog {
public:
  explicit CrcRecomputeDialog(const CrcRecomputeHost& host) : host_(host) {}
  void open() { runModal(host_.owner, sjis("CRCの再取得"), 720, 252); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kStart; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  void startOrStop();
  void runEnded() override;
  void showFeed() override;
  void listRequest(HandOverList::Request request) override;
  void ticksChanged();
  void setInputsEnabled(bool on);

  const CrcRecomputeHost& host_;
  CrcRecomputeResult result_;  // written by the worker before it posts kRunEnded
  CrcLibrary library_;
  CrcRecomputeRequest request_;
  maintenance::SystemFileProbe files_;
};

void CrcRecomputeDialog::createControls() {
  add("BUTTON", sjis("ライブラリのCRC情報を再計算します"), BS_GROUPBOX, kFrame, 13, 17, 694, 140);
  add("STATIC", sjis("再計算するイメージファイルの対象機種"), SS_LEFT, kMachineLabel, 41, 45, 485, 16);
  HWND machines = add(WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kMachines, 39, 64, 198, 300);
  const auto entries = maintenance::machineListEntries(host_.dbPath);
  for (std::size_t i = 1; i < entries.size(); ++i)
    SendMessageA(machines, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i].c_str()));
  SendMessageA(machines, CB_SETCURSEL, 0, 0);
  add("BUTTON", sjis("CRC32を再計算する"), BS_AUTOCHECKBOX | WS_TABSTOP, kCrc32, 39, 105, 125, 15);
  check(kCrc32, true);
  add("BUTTON", sjis("CRC16を再計算する"), BS_AUTOCHECKBOX | WS_TABSTOP, kCrc16, 182, 106, 125, 15);
  add("STATIC", sjis("開始位置"), SS_RIGHT, 0, 321, 106, 74, 14);
  add(WC_EDITA, "0", ES_NUMBER | ES_RIGHT | WS_TABSTOP, kOffset, 397, 102, 70, 21, WS_EX_CLIENTEDGE);
  add("STATIC", sjis("バイト目から"), SS_LEFT, 0, 474, 106, 72, 14);
  add(WC_EDITA, "0", ES_NUMBER | ES_RIGHT | WS_TABSTOP, kLength, 546, 102, 70, 21, WS_EX_CLIENTEDGE);
  add("STATIC", sjis("バイト（長）"), SS_LEFT, 0, 625, 106, 82, 14);
  add("STATIC", sjis("※ 0 でファイル全てを対象に計算します"), SS_RIGHT, 0, 309, 128, 375, 14);
  add("STATIC", sjis("CRC計算中："), SS_LEFT, 0, 25, 170, 71, 14);
  add("STATIC", "--", SS_LEFT | SS_PATHELLIPSIS, kCurrent, 99, 170, 594, 14);
  add(PROGRESS_CLASSA, "", PBS_SMOOTH, kProgress, 19, 188, 677, 21);
  add("STATIC", sjis("[□□□□□]"), SS_LEFT, kMarker, 25, 216, 104, 14);
  add("STATIC", "", SS_LEFT, kCounts, 140, 224, 340, 14);
  add("BUTTON", sjis("開始"), BS_PUSHBUTTON | WS_TABSTOP, kStart, 496, 220, 88, 24);
  add("BUTTON", sjis("閉じる"), BS_PUSHBUTTON | WS_TABSTOP, kClose, 599, 220, 88, 24);
}

LRESULT CrcRecomputeDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kStart: startOrStop(); return 0;
        case kClose:
        case IDCANCEL: close(); return 0;
        case kCrc32:
        case kCrc16: ticksChanged(); return 0;
      }
      break;
    case WM_CLOSE: close(); return 0;
  }
  return RunDialog::handle(message, wParam, lParam);
}

// Without a CRC to compute there is nothing to start.
void CrcRecomputeDialog::ticksChanged() {
  const bool any = checked(kCrc32) || checked(kCrc16);
  for (int id : {kOffset, kLength, kStart}) enable(id, any);
}

void CrcRecomputeDialog::startOrStop() {
  if (running()) {
    requestStop();
    return;
  }
  const auto offset = windowNumber(textOf(kOffset));
  const auto length = windowNumber(textOf(kLength));
  if (!offset || !length) {
    platform::inform(*platform::makeWindowSink(hwnd_), sjis("開始位置と長さは 4294967295 までの数で指定して下さい。"));
    return;
  }
  request_ = {ui::comboSelectedText(item(kMachines)), checked(kCrc32), checked(kCrc16), *offset, *length};
  if (request_.machine.empty()) return;
  const auto binding = library_.bind(host_.programFolder);
  if (binding != registration::Binding::Bound) {
    platform::makeWindowSink(hwnd_)->show(registration::bindingMessage(binding, library_.reason()), sjis("エラー"),
                                          platform::MessageIcon::Error, platform::MessageButtons::Ok);
    return;
  }
  library_.setStatusWindow(item(kMarker));
  Sleep(100);
  setText(kStart, sjis("中止"));
  setText(kCounts, "");
  setInputsEnabled(false);
  SendMessageA(item(kProgress), PBM_SETPOS, 0, 0);
  runOnWorker([this] { result_ = recomputeCrcs(runContext(host_.dbPath), request_, library_, files_); });
}

void CrcRecomputeDialog::runEnded() {
  showFeed();
  const bool walked = result_.status == maintenance::RunStatus::Completed ||
                      result_.status == maintenance::RunStatus::Stopped;
  if (walked) {
    MessageBeep(MB_ICONASTERISK);
    setText(kCounts, sjis("更新 ") + std::to_string(result_.updated) + sjis(" 件・スキップ ") +
                         std::to_string(result_.skipped) + sjis(" 件・失敗 ") + std::to_string(result_.failed) +
                         sjis(" 件"));
  }
  setText(kStart, sjis("開始"));
  setInputsEnabled(true);
}

// The progress and the newest line as the current item; the range is 32-bit,
// so more than 65,535 rows fill the bar once.
void CrcRecomputeDialog::showFeed() {
  maintenance::RunFeed::Batch batch = feed_.take();
  HWND progress = item(kProgress);
  if (batch.range) {
    SendMessageA(progress, PBM_SETRANGE32, 0, *batch.range);
    SendMessageA(progress, PBM_SETSTEP, 1, 0);
  }
  SendMessageA(progress, PBM_SETPOS, batch.position, 0);
  if (!batch.lines.empty()) setText(kCurrent, batch.lines.back());
}

void CrcRecomputeDialog::setInputsEnabled(bool on) {
  for (int id : {kMachines, kOffset, kLength, kClose, kCrc32, kCrc16}) enable(id, on);
  if (on) ticksChanged();
}

void CrcRecomputeDialog::listRequest(HandOverList::Request request) {
  const auto& call = request == HandOverList::Request::Emptied ? host_.emptyItemList : host_.refreshItemList;
  if (call) call();
}

}  // namespace

void openCrcRecomputeDialog(const CrcRecomputeHost& host) {
  CrcRecomputeDialog dialog(host);
  dialog.open();
}

}  // namespace qm::crc_check

#include "app/library_moves/image_backup_dialog_win.h"

#include <shellapi.h>

#include <algorithm>
#include <memory>

#include "app/library_moves/image_backup.h"
#include "app/library_moves/space_watch.h"
#include "app/settings/settings.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/folder_browser_win.h"
#include "app/ui/win_handles_win.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::moves {
namespace {

using text::sjis;

enum Control : int {
  kSpareBar = 1002,
  kBrowse = 1006,
  kTargetLabel = 1008,
  kStart = 1010,
  kClose = 1011,
  kExplore = 1012,
  kTarget = 1013,
  kSummary = 1014,
  kState = 1016,
  kCapacity = 1019,
  kFree = 1020,
  kTotal = 1021,
  kTargetFrame = 1022,
  kSourceFrame = 1023,
  kExtract = 1028,
  kCloseAfter = 1031,
  kDriveBar = 1045,
};

enum Message : UINT { kFiguresChanged = WM_APP + 1 };
constexpr UINT_PTR kCloseTimer = 1;
constexpr COLORREF kBarColour = RGB(200, 200, 255);

const std::string& measuringText() {
  static const std::string text = sjis("合計: -計算中- ");
  return text;
}

// The whole bar hatched, the part `filled` of it (0 to 1) solid.
void drawBar(const DRAWITEMSTRUCT& draw, double filled) {
  const RECT whole = draw.rcItem;
  FillRect(draw.hDC, &whole, GetSysColorBrush(COLOR_BTNFACE));
  const ui::OwnedGdi<HBRUSH> hatch(CreateHatchBrush(HS_BDIAGONAL, kBarColour));
  FillRect(draw.hDC, &whole, hatch.get());
  RECT used = whole;
  used.right = whole.left + static_cast<LONG>((whole.right - whole.left) * std::min(1.0, std::max(0.0, filled)));
  const ui::OwnedGdi<HBRUSH> solid(CreateSolidBrush(kBarColour));
  FillRect(draw.hDC, &used, solid.get());
  FrameRect(draw.hDC, &whole, GetSysColorBrush(COLOR_BTNSHADOW));
}

// The shell's copy with its own progress window and questions; a copy the
// user cancelled, or one that left files out, is no success.
CopyOutcome shellCopy(HWND owner, const std::vector<std::string>& sources, const std::string& target) {
  std::string from;
  for (const std::string& source : sources) from.append(source).push_back('\0');
  from.push_back('\0');
  // The folder without its trailing separator, except for a drive's root.
  std::string to = target;
  if (to.size() > 3 && platform::fileNameOf(to).empty()) to.pop_back();
  to.append(2, '\0');
  SHFILEOPSTRUCTA operation{};
  operation.hwnd = owner;
  operation.wFunc = FO_COPY;
  operation.pFrom = from.c_str();
  operation.pTo = to.c_str();
  const int result = SHFileOperationA(&operation);
  if (operation.fAnyOperationsAborted) return CopyOutcome::Cancelled;
  return result == 0 ? CopyOutcome::Done : CopyOutcome::Failed;
}

class ImageBackupDialog : public ui::DialogWindow {
public:
  explicit ImageBackupDialog(const BackupHost& host) : host_(host), ini_(host.settingsPath) {}
  void open() { runModal(host_.owner, sjis("イメージファイルのバックアップ"), 520, 330); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kStart; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void destroying() override { watch_.reset(); }

  void showFigures();
  void browse();
  void explore();
  void backUp();
  void enableControls(bool on);
  void close();
  void closeWhenEnded();

  const BackupHost& host_;
  platform::IniFile ini_;
  std::unique_ptr<SpaceWatch> watch_;
  SpaceFigures shown_;
  bool running_ = false;
  bool closing_ = false;
};

void ImageBackupDialog::createControls() {
  add("BUTTON", sjis("バックアップ先の情報"), BS_GROUPBOX, kTargetFrame, 10, 8, 500, 116);
  add("STATIC", sjis("バックアップ先指定"), SS_LEFT, kTargetLabel, 24, 28, 200, 16);
  add("EDIT", withTrailingSeparator(readText(ini_, Setting::FolderImageCopy)), ES_AUTOHSCROLL | WS_TABSTOP, kTarget,
      24, 48, 290, 22, WS_EX_CLIENTEDGE);
  SendMessageA(item(kTarget), EM_LIMITTEXT, 260, 0);
  add("BUTTON", ". .", BS_PUSHBUTTON | WS_TABSTOP, kBrowse, 320, 47, 30, 24);
  add("BUTTON", sjis("エクスプローラで開く"), BS_PUSHBUTTON | WS_TABSTOP, kExplore, 356, 47, 144, 24);
  add("STATIC", "", SS_LEFT, kCapacity, 24, 78, 220, 16);
  add("STATIC", "", SS_LEFT, kFree, 250, 78, 250, 16);
  add("STATIC", "", SS_OWNERDRAW, kDriveBar, 24, 98, 476, 16);

  add("BUTTON", sjis("バックアップ元の情報"), BS_GROUPBOX, kSourceFrame, 10, 132, 500, 150);
  add("STATIC", backupSummary(host_.dbPath, host_.selected), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kSummary, 24,
      152, 476, 16);
  add("BUTTON", sjis("圧縮ファイルは展開してバックアップ"), BS_AUTOCHECKBOX | WS_TABSTOP, kExtract, 24, 174, 476, 18);
  check(kExtract, true);
  add("STATIC", measuringText(), SS_LEFT, kTotal, 24, 198, 476, 16);
  add("STATIC", "", SS_OWNERDRAW, kSpareBar, 24, 218, 476, 16);
  add("STATIC", "", SS_LEFT, kState, 24, 240, 476, 16);
  add("BUTTON", sjis("バックアップが終わったらこのダイアログを閉じる"), BS_AUTOCHECKBOX | WS_TABSTOP, kCloseAfter,
      24, 258, 476, 18);
  check(kCloseAfter, true);
  add("BUTTON", sjis("開始"), BS_PUSHBUTTON | WS_TABSTOP, kStart, 320, 292, 90, 26);
  add("BUTTON", sjis("閉じる"), BS_PUSHBUTTON | WS_TABSTOP, kClose, 420, 292, 90, 26);
  enable(kStart, false);

  const std::string dbPath = host_.dbPath;
  const auto selected = host_.selected;
  watch_ = std::make_unique<SpaceWatch>(
      diskSpaceOf,
      [dbPath, selected](bool extract) { return backupSize(backupKeys(dbPath, selected).keys, extract); },
      [window = hwnd_] { PostMessageA(window, kFiguresChanged, 0, 0); });
  watch_->start(textOf(kTarget), true);
}

LRESULT ImageBackupDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kStart: backUp(); return 0;
        case kClose:
        case IDCANCEL: close(); return 0;
        case kBrowse: browse(); return 0;
        case kExplore: explore(); return 0;
        case kExtract:
          setText(kTotal, measuringText());
          if (watch_) watch_->setExtractMembers(checked(kExtract));
          return 0;
        case kTarget:
          if (HIWORD(wParam) == EN_CHANGE && watch_) watch_->setTarget(textOf(kTarget));
          return 0;
      }
      break;
    case WM_CLOSE:
      close();
      return 0;
    case WM_TIMER:
      if (wParam == kCloseTimer) closeWhenEnded();
      return 0;
    case kFiguresChanged:
      showFigures();
      return 0;
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      double filled = 0;
      if (shown_.drive && shown_.drive->total > 0) {
        filled = draw.CtlID == kDriveBar
                     ? double(shown_.drive->total - shown_.drive->free) / double(shown_.drive->total)
                     : double(shown_.copied.value_or(0)) / double(std::max<std::uint64_t>(1, shown_.drive->free));
      }
      drawBar(draw, filled);
      return TRUE;
    }
  }
  return DialogWindow::handle(message, wParam, lParam);
}

void ImageBackupDialog::showFigures() {
  if (!watch_ || closing_) return;
  shown_ = watch_->figures();
  const bool readable = shown_.drive && shown_.drive->free > 0;
  setText(kCapacity, sjis("総容量:") + (shown_.drive ? capacityText(shown_.drive->total) : "-"));
  setText(kFree, sjis("空き容量:") + (shown_.drive ? capacityText(shown_.drive->free) : "-"));
  setText(kTotal, shown_.copied ? sjis("合計: ") + capacityText(*shown_.copied) : measuringText());
  if (!running_) enable(kStart, readable);
  InvalidateRect(item(kDriveBar), nullptr, FALSE);
  InvalidateRect(item(kSpareBar), nullptr, FALSE);
}

void ImageBackupDialog::browse() {
  Settings settings;
  std::string start = textOf(kTarget);
  if (start.empty()) start = readText(ini_, Setting::FolderRomDiskImage);
  const auto chosen = ui::browseForFolder(hwnd(), sjis("バックアップ先のフォルダを選択してください"), start,
                                          ui::BrowseFor::Folders);
  if (!chosen) return;
  const std::string folder = withTrailingSeparator(*chosen);
  setText(kTarget, folder);
  settings.setText(Setting::FolderImageCopy, folder);
  writeValue(ini_, settings, Setting::FolderImageCopy);
}

void ImageBackupDialog::explore() {
  ShellExecuteA(hwnd(), "explore", textOf(kTarget).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ImageBackupDialog::enableControls(bool on) {
  for (int id : {kBrowse, kStart, kClose, kExtract}) enable(id, on);
}

// On the interface thread: the shell's copy keeps its own window responsive.
void ImageBackupDialog::backUp() {
  setText(kState, sjis("バックアップ中です・・"));
  enableControls(false);
  running_ = true;
  const BackupRequest request{host_.dbPath, host_.programFolder, host_.selected, checked(kExtract), textOf(kTarget)};
  const auto sink = platform::makeWindowSink(hwnd());
  const bool done = backUpImages(request, *sink, [this](const auto& sources, const std::string& target) {
    return shellCopy(hwnd(), sources, target);
  });
  MessageBeep(done ? MB_ICONASTERISK : MB_ICONHAND);
  setText(kState, done ? backupDoneText() : backupFailedText());
  running_ = false;
  enableControls(true);
  showFigures();
  if (done && checked(kCloseAfter)) close();
}

// The watcher may be measuring an archive: the window keeps answering while it
// finishes.
void ImageBackupDialog::close() {
  if (closing_) return;
  closing_ = true;
  enableControls(false);
  if (watch_) watch_->requestStop();
  closeWhenEnded();
  if (!watch_ || !watch_->ended()) SetTimer(hwnd(), kCloseTimer, 50, nullptr);
}

void ImageBackupDialog::closeWhenEnded() {
  if (watch_ && !watch_->ended()) return;
  KillTimer(hwnd(), kCloseTimer);
  if (watch_) watch_->join();
  endModal();
}

}  // namespace

void openImageBackupDialog(const BackupHost& host) {
  ImageBackupDialog dialog(host);
  dialog.open();
}

}  // namespace qm::moves
